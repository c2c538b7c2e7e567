#include <cctype>
#include <cstdio>
#include <span>
#include <vector>

#include "cli/cli_session.h"
#include "cli/commands.h"

namespace ruvenset::cli {
namespace {

// --accept 105 takes a 0xFF answer too, as the link check on connect does; any other number does not.
constexpr long kAcceptAnyCommand = 105;

bool ParseHex(const std::string& text, std::vector<uint8_t>& out) {
  std::string digits;
  for (char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c))) {
      digits += c;
    } else if (c != ' ' && c != ':' && c != ',') {
      return false;
    }
  }
  if (digits.size() % 2 != 0) return false;
  for (size_t i = 0; i < digits.size(); i += 2) {
    out.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return true;
}

int Usage(const char* why) {
  std::fprintf(stderr,
               "transact: %s\nusage: transact --command N [--write] [--length L] [--accept M] "
               "[--first-byte B] [--data HEX] [--address A]\n",
               why);
  return kExitUsage;
}

}  // namespace

// One exchange at the configured speed, without the link check.
int RunTransact(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({"--command", "--length", "--accept", "--first-byte", "--data", "--address"},
                      {"--write"}, unknown)) {
    return Usage(("unknown option " + unknown).c_str());
  }
  long command = 0;
  if (!args.Value("--command") || !ParseNumber(*args.Value("--command"), 0, 255, command)) {
    return Usage("--command 0..255 is required");
  }
  std::vector<uint8_t> data;
  if (const auto hex = args.Value("--data"); hex && !ParseHex(*hex, data))
    return Usage("--data must be hex bytes");
  if (data.size() > 249) return Usage("at most 249 data bytes fit in a frame");
  long length = static_cast<long>(6 + data.size());
  long accept = 1;
  long firstByte = -1;
  long address = -1;
  if (const auto v = args.Value("--length"); v && !ParseNumber(*v, 6, 255, length))
    return Usage("--length 6..255");
  if (const auto v = args.Value("--accept"); v && !ParseNumber(*v, 0, 255, accept))
    return Usage("--accept 0..255");
  if (const auto v = args.Value("--first-byte"); v && !ParseNumber(*v, 0, 255, firstByte)) {
    return Usage("--first-byte 0..255");
  }
  if (const auto v = args.Value("--address"); v && !ParseNumber(*v, 0, 255, address))
    return Usage("--address 0..255");
  if (static_cast<long>(6 + data.size()) > length) return Usage("--length too short for the data");

  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  if (const int rc = session.OpenPort(); rc != kExitOk) return rc;
  const LinkSettings& settings = session.config().link;
  if (!session.port().Configure({kSpeedTable[settings.speedIndex], Parity::None})) {
    std::fprintf(stderr, "the port refused the line settings\n");
    return kExitNoPort;
  }
  data.resize(static_cast<size_t>(length - 6), 0);
  if (firstByte >= 0 && !data.empty()) data[0] = static_cast<uint8_t>(firstByte);
  LinkRequest request;
  request.kind = args.Flag("--write") ? RequestKind::Write : RequestKind::Read;
  request.address = static_cast<uint8_t>(address >= 0 ? address : settings.address);
  request.command = static_cast<uint8_t>(command);
  request.data = data;
  request.accept = accept == kAcceptAnyCommand ? AcceptMode::AnswerOrUnknownCommand : AcceptMode::Answer;
  const LinkStatus status = session.link().Transact(request).status;
  std::printf("status %s\n", LinkStatusName(status));
  // What the last attempt received, whether or not it was a good answer.
  const std::span<const uint8_t> received = session.link().received();
  if (!received.empty()) {
    std::printf("response");
    for (uint8_t byte : received) std::printf(" %02X", byte);
    std::printf("\n");
  }
  return status == LinkOk ? kExitOk : kExitFailed;
}

}  // namespace ruvenset::cli
