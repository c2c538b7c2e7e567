#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "verification/protocol_csv.h"
#include "verification/protocol_time.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct VerificationProtocol : VerificationFixture {
  VerificationProtocol() {
    folder = ::testing::TempDir() + "protocol-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
  }
  ~VerificationProtocol() override { std::filesystem::remove_all(folder); }

  // Pages of a verification against a typed actual value, the flow computer's own unit.
  void TypedPages(float actual, size_t readings) {
    pages.substitute = {std::nullopt};
    pages.poll = {0};
    technician.choices = {0};
    pages.fileChoice = {0};
    pages.typed = {true};
    pages.actual = {actual};
    pages.start = {true};
    pages.readings = readings;
  }
  // Where in the flow computer's requests the first one of `command` came (its count when none).
  size_t FirstRequest(uint8_t command) const {
    const auto& r = peer->requests;
    return static_cast<size_t>(
        std::find_if(r.begin(), r.end(),
                     [command](const auto& q) { return q.size() > 3 && q[3] == command; }) -
        r.begin());
  }

  std::string folder;
};

TEST_F(VerificationProtocol, ResetInTheMiddleMakesTwoPointsAndTheProtocolIsSavedAfterServiceMode) {
  Connect();
  state.config.protocol.limits[kKindPressure] = PermissibleError{0.25f, true};
  state.config.protocol.technician = "Петренко";
  TypedPages(1.0f, 5);
  bool reset = false;
  pages.onTick = [&reset](MeasuringWindow& window, int) {
    if (reset || window.statistics().count() != 2) return;
    window.BitBtn2Click();
    reset = true;
  };
  protocol.answers = {ProtocolAnswer{PermissibleError{0.2f, true}, "Петренко П. П."}};
  const std::string pdf = folder + "/p.pdf";
  protocol.paths = {pdf};
  ASSERT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  EXPECT_EQ(PipelineState(), 0);

  ASSERT_EQ(protocol.pages.size(), 1u);
  const ProtocolPage& page = protocol.pages[0];
  EXPECT_EQ(page.pointsLine, "Точек поверки: 2");
  ASSERT_TRUE(page.limit);
  EXPECT_EQ(page.limit->value, 0.25f);
  EXPECT_EQ(page.technician, "Петренко");
  EXPECT_EQ(page.absoluteItem, "в единицах канала, кгс/см2");
  EXPECT_EQ(page.percentItem, "в % от диапазона [ 0 ... 16 ]");
  // What the page answered is remembered for the next protocol.
  EXPECT_EQ(state.config.protocol.limits[kKindPressure]->value, 0.2f);
  EXPECT_EQ(state.config.protocol.technician, "Петренко П. П.");

  ASSERT_EQ(protocol.dialogs.size(), 1u);
  EXPECT_EQ(protocol.dialogs[0].proposedName,
            "160123-pressure-" + ProtocolTimestamp(wallClock.seconds).substr(0, 10) + ".pdf");
  EXPECT_EQ(protocol.dialogs[0].folder, state.startDirectory);
  EXPECT_EQ(protocol.pdfs, std::vector<std::string>{pdf});
  // The identification code is read for the protocol once service mode was left.
  EXPECT_LT(FirstRequest(0x11), FirstRequest(0x13));
  EXPECT_LT(FirstRequest(0x13), peer->requests.size());

  ASSERT_TRUE(protocol.shown);
  const ProtocolRecord& shown = *protocol.shown;
  EXPECT_EQ(shown.factoryNumber, 160123u);
  EXPECT_EQ(shown.technician, "Петренко П. П.");
  EXPECT_EQ(shown.unit, "кгс/см2");
  ASSERT_EQ(shown.points.size(), 2u);
  EXPECT_EQ(shown.points[0].count, 2u);
  EXPECT_EQ(shown.points[1].count, 3u);
  for (const ProtocolPoint& p : shown.points) {
    EXPECT_FLOAT_EQ(*p.reference, 1.0f);
    EXPECT_NEAR(p.mean, 1.0332f, 1e-4);
    EXPECT_NEAR(*p.errorPercent, (p.mean - 1.0) / 16 * 100, 1e-5);
    EXPECT_EQ(p.verdict, Verdict::Fail);  // 0.2075 % against 0.2 %
  }
  EXPECT_EQ(protocol.shownDocument.verdict, "Заключение: не годен");
  EXPECT_EQ(protocol.shownView.files.csv, folder + "/p.csv");
  EXPECT_EQ(protocol.shownView.filesLine, "Записаны файлы: " + pdf + " и " + folder + "/p.csv");

  ProtocolRecord back;
  ASSERT_EQ(ParseProtocolCsv(ReadText(folder + "/p.csv"), back).status, ProtocolCsvStatus::Read);
  ASSERT_EQ(back.points.size(), 2u);
  EXPECT_EQ(back.points[1].count, 3u);
  EXPECT_EQ(back.points[1].errorPercent, shown.points[1].errorPercent);
  EXPECT_EQ(back.points[1].verdict, Verdict::Fail);
  EXPECT_EQ(back.factoryNumber, 160123u);
  EXPECT_EQ(back.limit->value, 0.2f);
}

TEST_F(VerificationProtocol, TransmitterReferenceCarriesTheAtmosphericCorrection) {
  Connect();
  pages.substitute = {std::nullopt};
  pages.poll = {1};
  TransmitterChoice choice;
  choice.address = 1;
  pages.transmitter = {choice};
  pages.pressureKind = {1};  // a gauge reference against the absolute sensor: atmosphere added
  technician.choices = {2};  // the atmospheric pressure in kPa
  technician.numbers = {101.325f};
  pages.fileChoice = {0};
  pages.start = {true};
  pages.readings = 3;
  protocol.answers = {ProtocolAnswer{PermissibleError{0.25f, true}, ""}};
  protocol.paths = {folder + "/hart.pdf"};
  ASSERT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  ASSERT_TRUE(protocol.shown);
  const ProtocolRecord& r = *protocol.shown;
  EXPECT_EQ(r.referenceMode, kReferenceTransmitter);
  EXPECT_EQ(r.transmitterType, kTransmitter3051);
  EXPECT_EQ(r.transmitterAddress, 1);
  EXPECT_FALSE(r.transmitterVariable);
  EXPECT_EQ(r.referenceGauge, true);
  ASSERT_TRUE(r.atmospheric);
  EXPECT_NEAR(*r.atmospheric, 1.0332f, 1e-4);
  ASSERT_EQ(r.points.size(), 1u);
  const ProtocolPoint& p = r.points[0];
  // The transmitter reads the applied 1.0332 kgf/cm2 in kPa; the atmosphere comes on top of it.
  EXPECT_NEAR(*p.reference, 1.0332f + *r.atmospheric, 1e-3);
  EXPECT_NEAR(*p.error, -*r.atmospheric, 1e-3);
  EXPECT_EQ(p.verdict, Verdict::Fail);
  const auto& header = protocol.shownDocument.header;
  const auto reference =
      std::find_if(header.begin(), header.end(), [](const auto& h) { return h.first == "Эталон"; });
  ASSERT_NE(reference, header.end());
  EXPECT_EQ(reference->second,
            "образцовый датчик 3051, адрес 1, избыточное давление, атмосферное давление 1,0332 кгс/см2");
}

TEST_F(VerificationProtocol, PerCentErrorIsOfTheRangeOfEachChannelKind) {
  struct Case {
    int kind;
    float actual;
    float span;  // the simulated flow computer's ranges
  };
  const Case cases[] = {{kKindPressure, 1.0f, 16.0f},
                        {kKindTemperature, 19.5f, 100.0f},
                        {kKindDiffPressure, 1010.0f, 2500.0f},
                        {kKindLowerDiffPressure, 990.0f, 2500.0f},
                        {kKindUpperDiffPressure, 1000.5f, 2500.0f}};
  for (const Case& c : cases) {
    sim::FlowComputerConfig device;
    device.model = 7;  // measures differential pressure too
    Connect(device);
    peer->model.inputs().differential = 1000.0;
    TypedPages(c.actual, 2);
    if (c.kind == kKindTemperature) {
      pages.poll.clear();
      technician.choices.clear();
    }
    protocol = ScriptedProtocolPages{};
    protocol.answers = {ProtocolAnswer{PermissibleError{0.25f, true}, ""}};
    protocol.paths = {folder + "/" + ChannelWord(c.kind) + ".pdf"};
    ASSERT_EQ(Verify(c.kind), VerificationResult::Finished) << c.kind;
    ASSERT_TRUE(protocol.shown) << c.kind;
    EXPECT_EQ(protocol.shown->range.upper - protocol.shown->range.lower, c.span) << c.kind;
    const ProtocolPoint& p = protocol.shown->points.at(0);
    EXPECT_NEAR(*p.errorPercent, (p.mean - c.actual) / c.span * 100, 1e-4) << c.kind;
    EXPECT_NEAR(*p.error, p.mean - c.actual, 1e-3) << c.kind;
  }
}

TEST_F(VerificationProtocol, DeclinedOrWithoutPointsNothingIsReadOrWritten) {
  Connect();
  TypedPages(1.0f, 2);
  ASSERT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  EXPECT_EQ(protocol.pages.size(), 1u);  // asked, and no protocol wanted
  EXPECT_TRUE(protocol.dialogs.empty());
  EXPECT_EQ(Requests(0x13), 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder));

  TypedPages(1.0f, 2);
  pages.maxTicks = 0;  // finished before the first reading
  protocol = ScriptedProtocolPages{};
  ASSERT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  EXPECT_TRUE(protocol.pages.empty());  // no point
}

TEST_F(VerificationProtocol, FileThatCannotBeWrittenIsReportedAndTheDialogComesAgain) {
  Connect();
  TypedPages(1.0f, 1);
  protocol.answers = {ProtocolAnswer{std::nullopt, ""}};
  const std::string missing = folder + "/missing/p.pdf";
  protocol.paths = {missing, folder + "/q.pdf", folder + "/r.pdf"};
  protocol.pdfFailures = 1;
  ASSERT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  EXPECT_EQ(protocol.dialogs.size(), 3u);
  EXPECT_EQ(technician.Count("message Ошибка | Не удалось записать протокол: " + missing), 1);
  EXPECT_EQ(technician.Count("message Ошибка | Не удалось записать протокол: " + folder + "/q.pdf"), 1);
  ASSERT_TRUE(protocol.shown);
  EXPECT_EQ(protocol.shownView.files.pdf, folder + "/r.pdf");
  EXPECT_EQ(protocol.shown->points.at(0).verdict, Verdict::None);  // no limit
  EXPECT_EQ(protocol.shownDocument.verdict, "Заключение: не выносится, допускаемая погрешность не задана");
  EXPECT_FALSE(state.config.protocol.limits[kKindPressure]);
}

}  // namespace
}  // namespace ruvenset::testing
