#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_process.h"
#include "cli_runner.h"
#include "pdf_text.h"
#include "sim/sim_server.h"
#include "verification/protocol_csv.h"

namespace ruvenset::testing {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class VerifyProtocolCommand : public ::testing::Test {
 protected:
  VerifyProtocolCommand() {
    folder_ = ::testing::TempDir() + "verify-protocol-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder_);
  }
  ~VerifyProtocolCommand() override { std::filesystem::remove_all(folder_); }

  std::string folder_;
};

// Three points of a temperature verification against the simulated flow computer, as a rig runs
// them: at each "ready" line the test applies the point's temperature, then lets the command go on.
TEST_F(VerifyProtocolCommand, ThreePointsWithTheirInputsMakeTheProtocolAndItsCsv) {
#ifndef RUVENSET_REPORT_PDF
  GTEST_SKIP() << "this build of ruvenset-cli has no PDF printing (it is built without Qt)";
#endif
  sim::SimOptions options;
  options.speed = 115200;
  options.pipelines = 1;
  std::string error;
  auto simulator = sim::SimServer::Start(options, &error);
  ASSERT_TRUE(simulator) << error;
  ASSERT_EQ(simulator->Control("set delay 100"), "ok");
  ASSERT_EQ(simulator->Control("set jitter 0"), "ok");
  const std::string pdf = folder_ + "/протокол.pdf";
  CliProcess cli(
      {"--port",    simulator->path(), "--set",      "BaudRate=15", "verify",   "--password", "1234",
       "--channel", "temperature",     "--readings", "2",           "--actual", "20",         "--actual",
       "40.1",      "--actual",        "59,5",       "--limit",     "0.2",      "--protocol", pdf},
      "verify-protocol-config");
  const char* const temperatures[] = {"20", "40", "60"};
  for (int k = 0; k < 3; ++k) {
    std::optional<std::string> line = cli.ReadLine();
    ASSERT_TRUE(line) << cli.output();
    ASSERT_EQ(*line, "ready " + std::to_string(k + 1)) << cli.output();
    ASSERT_EQ(simulator->Control(std::string("set temperature ") + temperatures[k]), "ok");
    cli.WriteLine("");
    for (int reading = 0; reading < 2; ++reading) ASSERT_TRUE(cli.ReadLine()) << cli.output();
  }
  ASSERT_EQ(cli.Finish(), 0) << cli.output();  // a failed verdict is a result, not an error
  const std::string csv = folder_ + "/протокол.csv";
  const std::string out = cli.output();
  EXPECT_NE(out.find("point 1 n 2 reference 20.000 mean 20.000 error 0.0000 verdict pass\n"
                     "point 2 n 2 reference 40.100 mean 40.000 error -0.1000 verdict pass\n"
                     "point 3 n 2 reference 59.500 mean 60.000 error 0.5000 verdict fail\n"
                     "protocol " +
                     pdf + "\ncsv " + csv + "\nverdict fail\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");

  ProtocolRecord record;
  ASSERT_EQ(ParseProtocolCsv(ReadText(csv), record).status, ProtocolCsvStatus::Read);
  ASSERT_EQ(record.points.size(), 3u);
  EXPECT_EQ(record.points[1].reference, 40.1f);
  EXPECT_EQ(record.points[2].mean, 60.0f);
  EXPECT_EQ(record.points[2].verdict, Verdict::Fail);
  EXPECT_EQ(record.factoryNumber, 160123u);
  ASSERT_TRUE(record.limit);
  EXPECT_FALSE(record.limit->percent);

  int pages = 0;
  const std::string text = PdfText(pdf, pages);
  EXPECT_EQ(pages, 2);
  for (const char* shown : {"Протокол поверки", "канала температуры газа", "Заводской №:", "160123",
                            "Допускаемая погрешность:", "0,2 °C", "40,100", "-0,1000", "59,500", "не годен",
                            "Заключение: не годен", "Страница 1 из 2", "Показания канала во времени",
                            "Температура, °C", "Страница 2 из 2"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;

  // The protocol made again from its CSV: the same table, the chart from the points' spans.
  const std::string again = folder_ + "/again.pdf";
  const CliRun reprint = RunCli("print-protocol '" + csv + "' --pdf " + again, "verify-protocol-config");
  ASSERT_EQ(reprint.exitCode, 0) << reprint.out;
  EXPECT_EQ(reprint.out, "points 3\nverdict fail\npdf " + again + "\n");
  const std::string remade = PdfText(again, pages);
  EXPECT_EQ(pages, 2);
  for (const char* shown : {"40,100", "-0,1000", "59,500", "Заключение: не годен", "размах показаний точки"})
    EXPECT_NE(remade.find(shown), std::string::npos) << shown << "\n" << remade;
}

TEST_F(VerifyProtocolCommand, OptionsAndFilesThatAreNotProtocolsAreRefused) {
  EXPECT_EQ(RunCli("verify --channel temperature --limit 0", "verify-protocol-config").exitCode, 64);
  EXPECT_EQ(RunCli("verify --channel temperature --limit -1%", "verify-protocol-config").exitCode, 64);
  EXPECT_EQ(RunCli("verify --channel temperature --actual 1e3", "verify-protocol-config").exitCode, 64);
  EXPECT_EQ(RunCli("print-protocol " + folder_ + "/x.csv", "verify-protocol-config").exitCode, 64);

  const std::string other = folder_ + "/other.csv";
  std::ofstream(other) << "a,b\n1,2\n";
  const CliRun notProtocol =
      RunCli("print-protocol " + other + " --pdf " + folder_ + "/x.pdf", "verify-protocol-config");
  EXPECT_EQ(notProtocol.exitCode, 1);
  EXPECT_EQ(notProtocol.out, "failed " + other + " is not a verification protocol\n");
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/x.pdf"));
  const CliRun missing =
      RunCli("print-protocol " + folder_ + "/none.csv --pdf " + folder_ + "/x.pdf", "verify-protocol-config");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "failed cannot read " + folder_ + "/none.csv\n");
}

TEST_F(VerifyProtocolCommand, ProtocolThatCannotBeWrittenFailsTheCommandAfterServiceMode) {
  const CliRun run = RunCli(
      "--demo --set BaudRate=15 --sim 'set delay 100' verify --password 1234 "
      "--channel temperature --readings 1 --protocol " +
          folder_ + "/missing/p.pdf",
      "verify-protocol-config");
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("failed: the protocol could not be written to " + folder_ + "/missing/p.pdf\n"),
            std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace ruvenset::testing
