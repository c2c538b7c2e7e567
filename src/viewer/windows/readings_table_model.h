#pragma once
#include <QAbstractTableModel>

#include "viewer/readings.h"

namespace ruvenset {

// The readings table (`StringGrid1`): one row per reading, cells formatted when the view asks for them,
// so a file of any size opens at once. Columns: date, time, channel ADC code, value, ambient ADC code;
// the vertical header numbers the rows.
class ReadingsTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kDate, kTime, kAdc, kValue, kAmbient, kColumnCount };

  ReadingsTableModel(const Readings& readings, QObject* parent = nullptr);

  // The factor from the loaded unit to the shown one; rewrites the value column.
  void SetValueFactor(float factor);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const Readings& readings_;
  float factor_ = 1.0f;
};

}  // namespace ruvenset
