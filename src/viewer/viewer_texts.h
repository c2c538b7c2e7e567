#pragma once

// The viewer's own texts (Russian only). Texts with %s take the file name without its folder.
namespace ruvenset::viewer_text {

inline constexpr const char* kMainWindowClass = "TFormMain";
inline constexpr const char* kMainCaption = "Статистика поверок";
inline constexpr const char* kMenuChooseFile = "Выбор файла";
inline constexpr const char* kMenuPressure = "Давление";
inline constexpr const char* kMenuTemperature = "Температура";
inline constexpr const char* kMenuDiffPressure = "Перепад давления";
inline constexpr const char* kMenuExit = "Выход";

inline constexpr const char* kOpenTitle = "Выбор файла с мгновенными данными поверки";
inline constexpr const char* kOpenFilter = "DataFiles(*.ctr)|*.ctr|DataFiles(*.*)|*.*";
inline constexpr const char* kDataFolder = "CONTROL";

inline constexpr const char* kMessageCaption = "  ! ";
inline constexpr const char* kCannotOpen = "Ошибка открытия файла";
inline constexpr const char* kNotStatistics = "Файл %s не является файлом статистики поверки";
inline constexpr const char* kNoChannelData = "В файлe %s нет данных по выбранному каналу";

inline constexpr const char* kFileHeader = "Файл:  %s";
inline constexpr const char* kUnitHeader = "Единица измерений:";
inline constexpr const char* kColumnDate = "Дата";
inline constexpr const char* kColumnTime = "Время";
inline constexpr const char* kColumnAdc = "Код\nАЦП";
inline constexpr const char* kColumnValue = "Измер.\nзнач.";
inline constexpr const char* kColumnAmbient = "Код\nТос\nАЦП";
inline constexpr const char* kExit = "Выход";

inline constexpr const char* kTimeScale = "Время на клетку:";
inline constexpr const char* kScaleHint = "Масштаб";
inline constexpr const char* kOffsetHint = "Смещение";
inline constexpr const char* kExportCsv = "Экспорт в CSV";
inline constexpr const char* kSavePng = "Сохранить графики в PNG";
inline constexpr const char* kCsvFilter = "CSV (*.csv)";
inline constexpr const char* kPngFilter = "PNG (*.png)";
inline constexpr const char* kCannotWrite = "Ошибка записи файла %s";
inline constexpr const char* kStripValue = "Измеренное значение";
inline constexpr const char* kStripAdc = "Код АЦП канала";
inline constexpr const char* kStripAmbient = "Код АЦП Тос";

}  // namespace ruvenset::viewer_text
