#include "viewer/windows/readings_table_model.h"

#include "viewer/reading_text.h"
#include "viewer/viewer_texts.h"

namespace ruvenset {

ReadingsTableModel::ReadingsTableModel(const Readings& readings, QObject* parent)
    : QAbstractTableModel(parent), readings_(readings) {}

void ReadingsTableModel::SetValueFactor(float factor) {
  factor_ = factor;
  if (rowCount() > 0) emit dataChanged(index(0, kValue), index(rowCount() - 1, kValue), {Qt::DisplayRole});
}

int ReadingsTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(std::min<size_t>(readings_.size(), INT_MAX));
}

int ReadingsTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ReadingsTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const size_t row = static_cast<size_t>(index.row());
  std::string text;
  switch (index.column()) {
    case kDate:
      text = FormatReadingDate(readings_.time[row]);
      break;
    case kTime:
      text = FormatReadingTime(readings_.time[row]);
      break;
    case kAdc:
      text = FormatChannelAdc(readings_.channelAdc[row]);
      break;
    case kValue:
      text = FormatReadingValue(readings_.value[row] * factor_);
      break;
    case kAmbient:
      text = FormatAmbientAdc(readings_.ambientAdc[row]);
      break;
  }
  return QString::fromStdString(text);
}

QVariant ReadingsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  static const char* const kHeaders[kColumnCount] = {viewer_text::kColumnDate, viewer_text::kColumnTime,
                                                     viewer_text::kColumnAdc, viewer_text::kColumnValue,
                                                     viewer_text::kColumnAmbient};
  return section >= 0 && section < kColumnCount ? QString::fromUtf8(kHeaders[section]) : QVariant();
}

}  // namespace ruvenset
