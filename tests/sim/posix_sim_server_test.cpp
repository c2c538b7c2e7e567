#include "sim/sim_server.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "link/link.h"
#include "link/posix_serial_port.h"

namespace ruvenset::sim {
namespace {

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "fcsim-" + std::to_string(::getpid()) + "-" + name;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// A client on the simulator's line, as Ruvenset opens it.
struct Client {
  explicit Client(const std::string& path, LineSettings line) {
    EXPECT_EQ(PosixSerialPort::Open(path, port).error, PortOpenError::None);
    if (port) port->Configure(line);
    settings.firstByteWait = kSpeedSearchFirstByteWait;  // 220 ms
    settings.attempts = 1;
    link.Attach(port.get());
  }
  LinkStatus Transact(bool write, int command, std::vector<uint8_t> data = {}) {
    LinkRequest request;
    request.kind = write ? RequestKind::Write : RequestKind::Read;
    request.command = static_cast<uint8_t>(command);
    request.data = data;
    return link.Transact(request).status;
  }

  std::unique_ptr<PosixSerialPort> port;
  LinkSettings settings;
  SteadyLinkClock clock;
  Link link{settings, clock};
};

SimOptions Unpaced(const std::string& link) {
  SimOptions o;
  o.linkPath = link;
  o.pace = false;
  return o;
}

TEST(SimServer, AnswersAtItsSpeedAndIsSilentAtAnother) {
  const std::string link = TempPath("line");
  std::string error;
  {
    auto server = SimServer::Start(Unpaced(link), &error);
    ASSERT_TRUE(server) << error;
    EXPECT_EQ(server->path(), link);
    {
      Client client(link, {1200, Parity::None});
      ASSERT_EQ(client.Transact(false, 0x02), LinkOk);
      EXPECT_EQ(client.link.answer().command(), 0x82);
      ASSERT_EQ(client.Transact(false, 0x0C), LinkOk);
      ASSERT_EQ(client.link.answer().frame().size(), 58u);
      EXPECT_EQ(client.link.answer().data()[6], kDefaultModel);

      client.port->Configure({2400, Parity::None});
      EXPECT_EQ(client.Transact(false, 0x02), LinkNoAnswer);
      client.port->Configure({1200, Parity::None});
      EXPECT_EQ(server->Control("refuse 0x13 7 0 0"), "ok");
      ASSERT_EQ(client.Transact(true, 0x13, {0x0E, 0x27, 4}), LinkOk);
      EXPECT_EQ(client.link.answer().command(), 0x13);
    }
    Client again(link, {1200, Parity::None});  // the line is free again once the first client closed it
    EXPECT_EQ(again.Transact(false, 0x02), LinkOk);
  }
  EXPECT_FALSE(Exists(link));
}

TEST(SimServer, ReferenceTransmitterAnswersOnTheSameLineAndOnTheModemLine) {
  std::string error;
  auto server = SimServer::Start(Unpaced(""), &error);
  ASSERT_TRUE(server) << error;
  for (const std::string& path : {server->path(), server->hartPath()}) {
    Client client(path, {1200, Parity::Odd});
    const uint8_t request[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x01, 0x00, 0x00, 0x03};
    ASSERT_TRUE(client.port->Write(request, sizeof request));
    client.port->SetTimeouts({200, 10, 1000});
    uint8_t response[24] = {};
    ASSERT_EQ(client.port->Read(response, sizeof response), 24) << path;
    EXPECT_EQ(response[4], 0xFF);
    EXPECT_EQ(response[5], 0x06);
    EXPECT_EQ(response[6], 0x01);
    uint8_t parity = 0;
    for (size_t i = 5; i < sizeof response; ++i) parity ^= response[i];
    EXPECT_EQ(parity, 0);
  }
}

TEST(SimServer, PacedAnswerTakesItsCharacterTimes) {
  std::string error;
  SimOptions o = Unpaced("");
  o.pace = true;
  auto server = SimServer::Start(o, &error);
  ASSERT_TRUE(server) << error;
  Client client(server->path(), {1200, Parity::None});
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(client.Transact(false, 0x02), LinkOk);
  // Six bytes at 1200 bit/s: the last one leaves five character times (about 42 ms) after the first.
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
}

TEST(SimServer, AnotherFileAtTheLinkPathIsLeftAlone) {
  const std::string path = TempPath("file");
  std::ofstream(path) << "keep";
  std::string error;
  EXPECT_FALSE(SimServer::Start(Unpaced(path), &error));
  EXPECT_NE(error.find("not a symbolic link"), std::string::npos);
  std::string text;
  std::ifstream(path) >> text;
  EXPECT_EQ(text, "keep");
  ::unlink(path.c_str());
}

}  // namespace
}  // namespace ruvenset::sim
