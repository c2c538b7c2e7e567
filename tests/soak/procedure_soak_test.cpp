#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "../calibration/calibration_fixture.h"
#include "../storage_procedures/storage_fixture.h"
#include "../verification/verification_fixture.h"
#include "device/release_service.h"
#include "faulty_line.h"
#include "scripted_protocol_pages.h"
#include "storage/calibration_menu.h"

namespace ruvenset::testing {
namespace {

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// What the runs of one procedure met, printed at the end.
struct SoakTally {
  int runs = 0;
  int stops = 0;
  int declined = 0;
  int releasedByHand = 0;
  long requests = 0;
  long damaged = 0;
  long stalled = 0;
  long linkQuestions = 0;
  long unforeseen = 0;
  std::map<std::string, int> results;

  void Add(const FaultyLine& line, const char* result, long unforeseenQuestions) {
    ++runs;
    stops += line.stopped;
    declined += line.declined;
    requests += line.requests;
    damaged += line.damaged;
    stalled += line.stalled;
    linkQuestions += line.linkQuestions;
    unforeseen += unforeseenQuestions;
    ++results[result];
  }
  void Print(const char* procedure) const {
    std::printf("%s soak: %d runs, Stop in %d (declined after it %d), released by hand %d\n", procedure, runs,
                stops, declined, releasedByHand);
    std::printf(
        "  %ld requests, %ld answers damaged or lost, %ld held back, %ld link questions, "
        "%ld other unforeseen questions\n",
        requests, damaged, stalled, linkQuestions, unforeseen);
    for (const auto& [result, count] : results) std::printf("  %-18s %5d runs\n", result.c_str(), count);
  }
};

// After a run the line comes back. The flow computer must be out of service mode — unless the
// technician declined to try again after the Stop; then the release item takes it out.
void ExpectServiceModeLeft(ProgramState& state, Technician& technician, LinkClock& clock,
                           const FaultyLine& line, sim::FlowComputerModel& device, SoakTally& tally) {
  state.link.stop().Clear();
  clock.SleepFor(5'000'000'000);
  if (device.State(1, clock.NowNs()) != 0) {
    EXPECT_TRUE(line.declined) << "service mode held after a run the technician never gave up";
    EXPECT_EQ(ReleaseServiceMode(state, technician), ReleaseResult::Released);
    ++tally.releasedByHand;
  }
  EXPECT_EQ(device.State(1, clock.NowNs()), 0);
}

// Nothing half-written is left in the folder: no temporary file of an interrupted replace.
void ExpectNoStrayFiles(const std::string& folder, const std::set<std::string>& expected) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    EXPECT_TRUE(expected.count(entry.path().filename().string()) != 0) << "stray file " << entry.path();
  }
}

struct VerificationSoak : VerificationFixture {};

// Verifications of the temperature channel that continue one data file: after each run the file is
// the old one with whole records after it.
TEST_F(VerificationSoak, EveryRunLeavesServiceModeAndTheDataFileWhole) {
  Connect();
  const std::string path = ::testing::TempDir() + "soak.ctr";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("STAT", 4);
  }
  SoakTally tally;
  for (int run = 1; run <= SoakRuns(); ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const Bytes old = ReadBytes(path);
    FaultyLine line(static_cast<uint32_t>(run), *this->line, state, 24);
    LineTechnician<LenientTechnician> t(state);
    t.line = &line;
    ScriptedVerificationPages runPages(clock);
    runPages.substitute = {std::nullopt};
    runPages.fileChoice = {2};
    runPages.filePath = {path};
    runPages.typed = {false};
    runPages.start = {true};
    runPages.readings = 4;
    peer->filter = [&line](const Bytes& request, Bytes& response) { return line.Filter(request, response); };
    ClockServiceHost host(clock);
    ScriptedProtocolPages noProtocol;
    VerificationTools tools{t, t, runPages, host, ModemOpener(), wallClock, noProtocol};
    const VerificationResult result = RunVerification(state, t, tools, settings, kKindTemperature);
    peer->filter = nullptr;
    static const char* const kResults[] = {"Finished", "Cancelled", "Abandoned", "ServiceModeFailed",
                                           "LeaveFailed"};
    tally.Add(line, kResults[static_cast<int>(result)], t.unforeseen);
    ExpectServiceModeLeft(state, t, clock, line, peer->model, tally);

    const Bytes now = ReadBytes(path);
    ASSERT_GE(now.size(), old.size());
    EXPECT_TRUE(std::equal(old.begin(), old.end(), now.begin())) << "the records kept were changed";
    EXPECT_EQ((now.size() - 4) % 24, 0u) << "a record is cut";
  }
  tally.Print("verification");
  EXPECT_GT(tally.stops, 0);
}

struct WriteBackSoak : StorageFixture {};

// Write-backs of the temperature and pressure tables: each ends, whatever its result, with the flow
// computer out of service mode.
TEST_F(WriteBackSoak, EveryRunLeavesServiceMode) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  auto* port = dynamic_cast<LoopbackPort*>(state.port.get());
  ASSERT_NE(port, nullptr);
  SoakTally tally;
  for (int run = 1; run <= SoakRuns(); ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    state.calibration = DeviceImage();
    FaultyLine line(static_cast<uint32_t>(1000 + run), *port, state, 22);
    LineTechnician<LenientTechnician> t(state);
    t.line = &line;
    HeadlessWriteBackPages pagesOfWrite(state, t);
    ScriptedCalibrationPages lists;
    CalibrationTools runTools{state, t, t, t, lists, pagesOfWrite};
    peer->filter = [&line](const Bytes& request, Bytes& response) { return line.Filter(request, response); };
    const CalibrationSection section =
        run % 2 == 0 ? CalibrationSection::Pressure : CalibrationSection::Temperature;
    const WriteBackOutcome outcome = StoreCalibrationSection(runTools, section);
    peer->filter = nullptr;
    static const char* const kResults[] = {"Stored",        "NothingToWrite",   "ReadFailed",
                                           "ForeignImage",  "CheckFailed",      "ServiceFailed",
                                           "LinkAbandoned", "RefusalAbandoned", "LeaveFailed"};
    tally.Add(line, kResults[static_cast<int>(outcome.result)], t.unforeseen);
    ExpectServiceModeLeft(state, t, clock, line, peer->model, tally);
    if (!line.stopped) {
      EXPECT_EQ(outcome.result, WriteBackResult::Stored);
    }
    // The image is whole and belongs to this flow computer: only an answer taken for another's could
    // make it foreign or failing a check.
    EXPECT_NE(outcome.result, WriteBackResult::ForeignImage);
    EXPECT_NE(outcome.result, WriteBackResult::CheckFailed);
  }
  tally.Print("write-back");
  EXPECT_GT(tally.stops, 0);
}

// The calibration's list windows: the script's answers, then End — after a Stop the procedure may show
// a list the script did not foresee.
class LenientLists : public ScriptedCalibrationPages {
 public:
  int unforeseen = 0;
  ListAnswer ShowList(const FulfillList& list) override {
    if (!lists.empty()) return ScriptedCalibrationPages::ShowList(list);
    ++unforeseen;
    EXPECT_LT(unforeseen, 50) << "the calibration keeps showing lists: " << list.caption;
    return {ListChoice::Close, 1};
  }
};

struct CalibrationSoak : CalibrationFixture {};

// New temperature calibrations with two Тос points: the working file is, after every run, absent or a
// whole calibration image that passes its checks.
TEST_F(CalibrationSoak, EveryRunLeavesServiceModeAndTheWorkingFileWhole) {
  Connect();
  auto* port = dynamic_cast<LoopbackPort*>(state.port.get());
  ASSERT_NE(port, nullptr);
  const std::string dir = folder.File("CALIBR");
  std::filesystem::create_directories(dir);
  std::set<std::string> files;
  SoakTally tally;
  for (int run = 1; run <= SoakRuns(); ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const std::string name = "soak" + std::to_string(run) + ".klb";
    const std::string path = dir + "/" + name;
    FaultyLine line(static_cast<uint32_t>(2000 + run), *port, state, 100);
    LineTechnician<CalibrationTechnician> t(state, state);
    t.line = &line;
    t.choices = {0};  // a new calibration
    LenientLists lenient;
    lenient.savePaths = {path};
    lenient.lists = {
        {ListChoice::Close, 0}, {ListChoice::Add, 0}, {ListChoice::Close, 0}, {ListChoice::Close, 1}};
    HeadlessWriteBackPages pagesOfWrite(state, t);
    CalibrationTools runFiles{state, t, t, t, lenient, pagesOfWrite};
    ScriptedRunPages windows(clock);
    windows.codes = {160123};
    windows.values = {20.0f, -20.0f, 60.0f, 40.0f, 0.0f, 50.0f};
    ApplyInputs(windows, {20.0, 40.0}, {-20.0, 60.0, 0.0, 50.0});
    ScriptedVerificationPages wizardPages(clock);
    ClockServiceHost host(clock);
    CalibrationProcedureTools tools{runFiles, windows, wizardPages, host, {}};
    peer->filter = [&line](const Bytes& request, Bytes& response) { return line.Filter(request, response); };
    const CalibrationResult result = Calibrate(tools, settings, 1);
    peer->filter = nullptr;
    static const char* const kResults[] = {"Finished", "Cancelled", "Abandoned", "ForeignFile",
                                           "ServiceModeFailed"};
    tally.Add(line, kResults[static_cast<int>(result)], lenient.unforeseen);
    ExpectServiceModeLeft(state, t, clock, line, peer->model, tally);

    if (std::filesystem::exists(path)) {
      files.insert(name);
      const Bytes image = ReadBytes(path);
      ASSERT_EQ(image.size(), kCalibrationImageSize) << "the working file is not whole";
      CalibrationImage read;
      std::copy(image.begin(), image.end(), read.Bytes());
      EXPECT_TRUE(read.CheckBytesValid());
    }
    if (!line.stopped) {
      EXPECT_EQ(result, CalibrationResult::Finished);
    }
    EXPECT_NE(result, CalibrationResult::ForeignFile);
  }
  ExpectNoStrayFiles(dir, files);
  tally.Print("calibration");
  EXPECT_GT(tally.stops, 0);
}

}  // namespace
}  // namespace ruvenset::testing
