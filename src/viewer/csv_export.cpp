#include "viewer/csv_export.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

#include "viewer/reading_text.h"

namespace ruvenset {

bool WriteReadingsCsv(const std::string& path, const Readings& readings, float valueFactor) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  ::fchmod(fd, 0644);
  FILE* file = ::fdopen(fd, "w");
  if (file == nullptr) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  std::fputs("Дата,Время,Код АЦП,Измер. знач.,Код Тос АЦП\n", file);
  for (size_t i = 0; i < readings.size(); ++i) {
    std::fprintf(file, "%s,%s,%s,%s,%s\n", FormatReadingDate(readings.time[i]).c_str(),
                 FormatReadingTime(readings.time[i]).c_str(),
                 FormatChannelAdc(readings.channelAdc[i]).c_str(),
                 FormatReadingValue(readings.value[i] * valueFactor).c_str(),
                 FormatAmbientAdc(readings.ambientAdc[i]).c_str());
  }
  const bool written = std::fflush(file) == 0 && !std::ferror(file) && ::fsync(fd) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace ruvenset
