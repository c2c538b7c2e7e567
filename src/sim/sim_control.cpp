#include "sim/sim_control.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "sim/memory_map.h"

namespace ruvenset::sim {
namespace {

constexpr const char* kHelp =
    "ok commands: set <temperature|pressure|dp|ambient|flow|delay|jitter> <value>; "
    "refuse <command> <code> [a] [b]; state <pipeline> <n>; fault <drop|corrupt|wrongaddress|noise> <p>; "
    "fault silent <command>; "
    "fault off; get <input|value|code> <channel>; get state <pipeline>; get memory <address> <count>; "
    "get <marker|answered|faults|delay|jitter>; poke <address> <byte>...";

bool ParseNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0' && std::isfinite(value);
}

bool ParseInteger(const std::string& text, long min, long max, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 0);
  return errno == 0 && *end == '\0' && value >= min && value <= max;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string Reading(const ChannelReading& r) {
  return r.valid ? "ok " + Number(r.value) : "ok invalid";
}

// Overwrites memory bytes as they are, check bytes included: contents no write of Ruvenset would store.
std::string PokeCommand(const std::vector<std::string>& w, FlowComputerModel& model) {
  long address = 0;
  if (w.size() < 3 || !ParseInteger(w[1], 0, kMemorySize - 1, address) ||
      address + static_cast<long>(w.size()) - 2 > static_cast<long>(kMemorySize))
    return "error: poke <address> <byte>...";
  std::vector<uint8_t> bytes;
  for (size_t i = 2; i < w.size(); ++i) {
    long byte = 0;
    if (!ParseInteger(w[i], 0, 255, byte)) return "error: poke <address> <byte>...";
    bytes.push_back(static_cast<uint8_t>(byte));
  }
  std::copy(bytes.begin(), bytes.end(), model.mutableMemory() + address);
  return "ok";
}

std::string SetCommand(const std::vector<std::string>& w, FlowComputerModel& model) {
  double value = 0;
  if (w.size() != 3 || !ParseNumber(w[2], value)) return "error: set <channel> <value>";
  if (w[1] == "delay") {
    model.SetServiceDelayMs(static_cast<int64_t>(value));
    return "ok";
  }
  if (w[1] == "jitter") {
    model.SetCodeJitter(static_cast<int>(value));
    return "ok";
  }
  InputChannel channel;
  if (!ParseInputChannel(w[1], channel)) return "error: no channel " + w[1];
  InputValue(model.inputs(), channel) = value;
  return "ok";
}

std::string FaultCommand(const std::vector<std::string>& w, FaultInjector& faults) {
  FaultRates& r = faults.rates();
  if (w.size() == 2 && w[1] == "off") {
    r = FaultRates{};
    faults.SilenceCommand(-1);
    return "ok";
  }
  if (w.size() == 3 && w[1] == "silent") {
    long command = 0;
    if (!ParseInteger(w[2], 0, 255, command)) return "error: " + w[2] + " is not a byte";
    faults.SilenceCommand(static_cast<int>(command));
    return "ok";
  }
  double p = 0;
  if (w.size() != 3 || !ParseNumber(w[2], p) || p < 0 || p > 1) return "error: fault <kind> <0..1>";
  if (w[1] == "drop") {
    r.drop = p;
  } else if (w[1] == "corrupt") {
    r.corrupt = p;
  } else if (w[1] == "wrongaddress") {
    r.wrongAddress = p;
  } else if (w[1] == "noise") {
    r.noise = p;
  } else {
    return "error: no fault " + w[1];
  }
  return "ok";
}

std::string GetChannel(const std::vector<std::string>& w, FlowComputerModel& model, int64_t nowNs) {
  InputChannel channel;
  if (w.size() != 3 || !ParseInputChannel(w[2], channel)) return "error: get " + w[1] + " <channel>";
  if (w[1] == "input") return "ok " + Number(InputValue(model.inputs(), channel));
  const MeasurementSnapshot m = model.Measure(nowNs);
  const bool code = w[1] == "code";
  switch (channel) {
    case InputChannel::Temperature:
      return code ? "ok " + std::to_string(m.temperatureCode) : Reading(m.temperature);
    case InputChannel::Pressure:
      return code ? "ok " + std::to_string(m.pressureCode) : Reading(m.pressure);
    case InputChannel::Differential:
      return code ? "ok " + std::to_string(m.differentialCode) : Reading(m.differential);
    case InputChannel::Ambient:
      return code ? "ok " + std::to_string(m.ambientCode) : Reading(m.ambient);
    case InputChannel::Flow:
      break;
  }
  return "error: the flow computer does not measure flow";
}

std::string GetCommand(const std::vector<std::string>& w, FlowComputerModel& model, FaultInjector& faults,
                       int64_t nowNs) {
  if (w.size() < 2) return "error: get <what>";
  const std::string& what = w[1];
  if (what == "input" || what == "value" || what == "code") return GetChannel(w, model, nowNs);
  if (what == "state") {
    long pipeline = 0;
    if (w.size() != 3 || !ParseInteger(w[2], 0, 255, pipeline)) return "error: get state <pipeline>";
    const int state = model.State(static_cast<int>(pipeline), nowNs);
    return state < 0 ? "error: no pipeline " + w[2] : "ok " + std::to_string(state);
  }
  if (what == "memory") {
    long address = 0, count = 0;
    if (w.size() != 4 || !ParseInteger(w[2], 0, kMemorySize - 1, address) ||
        !ParseInteger(w[3], 1, static_cast<long>(kMemorySize) - address, count)) {
      return "error: get memory <address> <count>";
    }
    std::string reply = "ok";
    char hex[4];
    for (long i = 0; i < count; ++i) {
      std::snprintf(hex, sizeof hex, " %02X", model.memory()[address + i]);
      reply += hex;
    }
    return reply;
  }
  if (what == "marker") return "ok " + std::to_string(FlowComputerModel::Marker(nowNs));
  if (what == "answered") return "ok " + std::to_string(model.answered());
  if (what == "delay") return "ok " + std::to_string(model.serviceDelayMs());
  if (what == "faults") {
    const FaultRates& r = faults.rates();
    return "ok drop " + Number(r.drop) + " corrupt " + Number(r.corrupt) + " wrongaddress " +
           Number(r.wrongAddress) + " noise " + Number(r.noise);
  }
  return "error: cannot get " + what;
}

}  // namespace

std::string RunControlCommand(const std::string& line, FlowComputerModel& model, FaultInjector& faults,
                              int64_t nowNs) {
  std::istringstream in(line);
  std::vector<std::string> w;
  for (std::string word; in >> word;) w.push_back(word);
  if (w.empty()) return "error: empty command";
  const std::string& verb = w[0];
  if (verb == "help") return kHelp;
  if (verb == "set") return SetCommand(w, model);
  if (verb == "poke") return PokeCommand(w, model);
  if (verb == "fault") return FaultCommand(w, faults);
  if (verb == "get") return GetCommand(w, model, faults, nowNs);
  if (verb == "state") {
    long pipeline = 0, state = 0;
    if (w.size() != 3 || !ParseInteger(w[1], 0, 255, pipeline) || !ParseInteger(w[2], 0, 15, state)) {
      return "error: state <pipeline> <0..15>";
    }
    return model.ForceState(static_cast<int>(pipeline), static_cast<uint8_t>(state))
               ? "ok"
               : "error: no pipeline " + w[1];
  }
  if (verb == "refuse") {
    long values[4] = {0, 0, 0, 0};
    if (w.size() < 3 || w.size() > 5) return "error: refuse <command> <code> [a] [b]";
    for (size_t i = 1; i < w.size(); ++i) {
      if (!ParseInteger(w[i], 0, 255, values[i - 1])) return "error: " + w[i] + " is not a byte";
    }
    model.RefuseNext(static_cast<uint8_t>(values[0]), static_cast<uint8_t>(values[1]),
                     static_cast<uint8_t>(values[2]), static_cast<uint8_t>(values[3]));
    return "ok";
  }
  return "error: unknown command " + verb;
}

}  // namespace ruvenset::sim
