// Writes the seed corpora of the fuzz targets into the folder given (fuzz/corpus): files the program's
// own writers make, and answers of the simulated flow computer and HART transmitter.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calibration/calibration_report.h"
#include "common/code_page.h"
#include "link/configuration.h"
#include "link/link.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"
#include "session/language_texts.h"
#include "sim/flow_computer_model.h"
#include "sim/hart_transmitter_model.h"
#include "storage/calibration_file.h"
#include "verification/hart_frame.h"
#include "verification/protocol_csv.h"
#include "verification/verification_file.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace ruvenset {
namespace {

void Save(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The answers of the simulated flow computer to the requests a link sends for each command.
void TransactSeeds(const fs::path& folder) {
  VirtualLinkClock clock;
  LinkSettings settings;
  settings.preambles = 0;
  sim::FlowComputerModel model(sim::FlowComputerConfig{});
  LoopbackPort port(clock);
  Bytes response;
  port.SetPeer([&](const uint8_t* data, size_t size) {
    response.clear();
    if (model.HandleRequest(data, size, clock.NowNs(), response)) port.Deliver(response, 1'000'000, 100'000);
  });
  Link link(settings, clock);
  link.Attach(&port);
  for (const int command : {0x0C, 0x01, 0x08, 0x10, 0x11, 0x1C}) {
    for (const int write : {0, 1}) {
      LinkRequest request;
      request.kind = write ? RequestKind::Write : RequestKind::Read;
      request.command = static_cast<uint8_t>(command);
      (void)link.Transact(request);
      if (response.empty()) continue;
      Bytes seed{static_cast<uint8_t>(write)};
      seed.insert(seed.end(), response.begin(), response.end());
      char name[32];
      std::snprintf(name, sizeof name, "command-%02x-%s", command, write ? "write" : "read");
      Save(folder, name, seed);
    }
  }
}

// The simulated transmitters' answers, preambles in front, after the selector byte and identity the
// target reads first.
void HartSeeds(const fs::path& folder) {
  const sim::AppliedInputs inputs;
  struct Choice {
    const char* name;
    sim::HartTransmitterModel model;
    int selectorType;  // 0 single-variable, 1 multivariable
  };
  const Choice choices[] = {
      {"3051", sim::HartTransmitterModel::Make3051(1, sim::HartVariable::Pressure, 7, {0x20, 0x00, 0x01}), 0},
      {"3095", sim::HartTransmitterModel::Make3095(1, {0x30, 0x00, 0x02}), 1},
  };
  const int commands[] = {kHartReadIdentity, kHartReadPrimary, kHartReadVariables, kHartSetPrimaryZero,
                          kHartResetZero};
  for (auto choice : choices) {
    const auto identity = choice.model.LongAddress();
    for (int c = 0; c < 5; ++c) {
      uint8_t request[32];
      const int length = BuildHartRequest(request, commands[c], 1, identity.data());
      Bytes response;
      if (!choice.model.Handle(request, static_cast<size_t>(length), inputs, response)) continue;
      Bytes seed{static_cast<uint8_t>(c | choice.selectorType << 5)};
      seed.insert(seed.end(), identity.begin(), identity.end());
      seed.insert(seed.end(), 5, 0xFF);
      seed.insert(seed.end(), response.begin(), response.end());
      Save(folder, std::string(choice.name) + "-command-" + std::to_string(commands[c]), seed);
    }
  }
}

// A model-16 image with two Тос points of three points in every channel and three correction points.
CalibrationImage SeedImage() {
  CalibrationImage image;
  image.modelCode = 16;
  image.softwareVersion = 21;
  for (const CalibrationSection section : {CalibrationSection::Pressure, CalibrationSection::Temperature,
                                           CalibrationSection::DifferentialPressure}) {
    const ChannelSection s = image.Channel(section);
    s.SetTosCount(2);
    for (int k = 0; k < 2; ++k) {
      s.SetTosPoint(k, 1000 * (k + 1), -10.0f + 30.0f * static_cast<float>(k));
      s.SetPointCount(k, 3);
      for (int i = 0; i < 3; ++i)
        s.SetPoint(k, i, 100000 * (i + 1) + k, 1.0f + 10.0f * static_cast<float>(i));
    }
  }
  image.SetCorrectionCount(3);
  for (int i = 0; i < 3; ++i) image.SetCorrectionPoint(i, 10.0f * static_cast<float>(i), 0.5f);
  return image;
}

// Calibration files as the program writes them: a model with every section, and an empty one.
void CalibrationSeeds(const fs::path& folder) {
  const fs::path scratch = fs::temp_directory_path() / "ruvenset-seed.cal";
  CalibrationImage image = SeedImage();
  if (WriteCalibrationFile(scratch.string(), CalibrationSection::Pressure, 16, image) ==
      CalibrationFileStatus::Ok)
    Save(folder, "model-16", FileBytes(scratch));
  CalibrationImage empty;
  if (WriteCalibrationFile(scratch.string(), CalibrationSection::Temperature, 7, empty) ==
      CalibrationFileStatus::Ok)
    Save(folder, "empty-model-7", FileBytes(scratch));
  fs::remove(scratch);
}

// Verification data files as a verification writes them.
void CtrSeeds(const fs::path& folder) {
  const fs::path scratch = fs::temp_directory_path() / "ruvenset-seed.ctr";
  for (const int channels : {1, 3}) {
    VerificationFile file;
    if (file.Create(scratch.string()) != DataFileStatus::Ok) return;
    for (int i = 0; i < 6; ++i) {
      const uint8_t channel = static_cast<uint8_t>(i % channels);
      (void)file.Append(MakeVerificationRecord(1765000000 + i, 250 * i, channel, static_cast<uint8_t>(i % 2),
                                               0x7A40, 0x123456, 0x400000 + i, 1.0f + static_cast<float>(i)));
    }
    file.Close();
    Save(folder, std::to_string(channels) + "-channels", FileBytes(scratch));
  }
  fs::remove(scratch);
}

void ConfigurationSeeds(const fs::path& folder) {
  Configuration config;
  const std::string defaults = FormatConfiguration(config);
  Save(folder, "defaults", Bytes(defaults.begin(), defaults.end()));
  config.link.speedIndex = 3;
  config.link.address = 17;
  config.link.preambles = 0;
  config.ports[0] = "/dev/ttyUSB0";
  config.langRus = 0;
  const std::string text = FormatConfiguration(config);
  Save(folder, "changed", Bytes(text.begin(), text.end()));
}

// Calibration reports as a save writes them (UTF-8, CR LF), and one in code page 1251 as older report
// files are.
void ReportSeeds(const fs::path& folder, const fs::path& langFolder) {
  ReportOptions options;
  options.differentialChannel = true;
  options.correctionTable = true;
  options.when.tm_year = 126;
  options.when.tm_mon = 11;
  options.when.tm_mday = 8;
  for (const bool russian : {true, false}) {
    LanguageTexts texts;
    const fs::path catalogue = langFolder / (russian ? "Lang01.txt" : "Lang00.txt");
    if (LanguageTexts::Load(catalogue.string(), texts).status != LangLoadStatus::Ok) return;
    options.russian = russian;
    const std::string text = WithCrLf(CalibrationReportText(SeedImage(), options, texts));
    const std::string bytes = russian ? text : Utf8ToCp1251(text);
    Save(folder, russian ? "report-ru" : "report-uk-cp1251", Bytes(bytes.begin(), bytes.end()));
  }
}

// The heads of the program's own catalogues, with their comments, escapes and formats.
void CatalogueSeeds(const fs::path& folder, const fs::path& langFolder) {
  for (const char* name : {"Lang00.txt", "Lang01.txt"}) {
    std::ifstream in(langFolder / name);
    std::string line, head;
    for (int i = 0; i < 80 && std::getline(in, line); ++i) head += line + "\n";
    Save(folder, name, Bytes(head.begin(), head.end()));
  }
}

// Protocols as a verification writes them: typed actual values with a limit, and a reference
// transmitter with the atmospheric correction, no limit and a point without a deviation.
void ProtocolSeeds(const fs::path& folder) {
  ProtocolRecord typed;
  typed.deviceText = "Симулятор ВАЛДОР";
  typed.model = 16;
  typed.version = 35;
  typed.revision = 2;
  typed.factoryNumber = 160123;
  typed.unit = "°C";
  typed.range = {-40.0f, 60.0f};
  typed.referenceMode = kReferenceTyped;
  typed.limit = PermissibleError{0.2f, false};
  typed.technician = "Коваленко О. П.";
  typed.dataFile = "/home/lab/поверки, 2026/t.ctr";
  for (int k = 0; k < 3; ++k) {
    ProtocolPoint p;
    p.start = 1'765'000'000 + 60 * k;
    p.end = p.start + 50;
    p.count = 5;
    p.reference = 20.0f * static_cast<float>(k + 1);
    p.mean = *p.reference + 0.1f * static_cast<float>(k);
    p.minimum = p.mean - 0.01f;
    p.maximum = p.mean + 0.01f;
    p.standardDeviation = 0.004f;
    p.largestDeviation = 0.11f;
    p.error = p.mean - *p.reference;
    p.errorPercent = *p.error;
    p.verdict = k < 2 ? Verdict::Pass : Verdict::Fail;
    typed.points.push_back(p);
  }
  const std::string first = FormatProtocolCsv(typed);
  Save(folder, "typed", Bytes(first.begin(), first.end()));

  ProtocolRecord transmitter = typed;
  transmitter.langRus = 0;
  transmitter.channelKind = kKindPressure;
  transmitter.unit = "кгс/см2";
  transmitter.range = {0.0f, 16.0f};
  transmitter.substituteMeasured = false;
  transmitter.substituteConstant = 1.0332f;
  transmitter.referenceMode = kReferenceTransmitter;
  transmitter.transmitterType = kTransmitter3095;
  transmitter.transmitterAddress = 2;
  transmitter.transmitterVariable = 1;
  transmitter.referenceGauge = true;
  transmitter.atmospheric = 1.0332f;
  transmitter.atmosphericUnit = "кгс/см2";
  transmitter.limit.reset();
  transmitter.points.resize(2);
  transmitter.points[1].standardDeviation.reset();
  transmitter.points[1].largestDeviation.reset();
  for (ProtocolPoint& p : transmitter.points) p.verdict = Verdict::None;
  const std::string second = FormatProtocolCsv(transmitter);
  Save(folder, "transmitter", Bytes(second.begin(), second.end()));
}

}  // namespace
}  // namespace ruvenset

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz-seeds CORPUS_FOLDER LANG_FOLDER\n");
    return 64;
  }
  const fs::path corpus = argv[1];
  ruvenset::TransactSeeds(corpus / "transact_response");
  ruvenset::HartSeeds(corpus / "hart_response");
  ruvenset::CalibrationSeeds(corpus / "calibration_file");
  ruvenset::CtrSeeds(corpus / "ctr_file");
  ruvenset::ConfigurationSeeds(corpus / "configuration");
  ruvenset::CatalogueSeeds(corpus / "language_catalogue", argv[2]);
  ruvenset::ReportSeeds(corpus / "report_pager", argv[2]);
  ruvenset::ProtocolSeeds(corpus / "protocol_csv");
  return 0;
}
