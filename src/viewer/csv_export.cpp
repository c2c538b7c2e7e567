#include "viewer/csv_export.h"

#include "common/file_io.h"
#include "viewer/reading_text.h"

namespace ruvenset {

bool WriteReadingsCsv(const std::string& path, const Readings& readings, float valueFactor) {
  std::string text = "Дата,Время,Код АЦП,Измер. знач.,Код Тос АЦП\n";
  for (size_t i = 0; i < readings.size(); ++i) {
    text += FormatReadingDate(readings.time[i]) + "," + FormatReadingTime(readings.time[i]) + "," +
            FormatChannelAdc(readings.channelAdc[i]) + "," +
            FormatReadingValue(readings.value[i] * valueFactor) + "," +
            FormatAmbientAdc(readings.ambientAdc[i]) + "\n";
  }
  return WriteFileAtomically(path, text) == FileStatus::Ok;
}

}  // namespace ruvenset
