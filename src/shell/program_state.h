#pragma once
#include <memory>
#include <string>

#include "device/connection_record.h"
#include "link/configuration.h"
#include "link/link.h"
#include "shell/language_texts.h"
#include "storage/calibration_image.h"
#include "storage/device_memory_mirror.h"

namespace ruvenset {

// The display units the technician chose during this run (indexes into the unit lists).
struct UnitChoices {
  uint8_t pressure = 0;
  uint8_t diffPressure = 0;
  uint8_t atmospheric = 0;
};

// Which channel a menu item started its procedure for.
struct ChannelChoice {
  int code = 0;  // 0 gas pressure, 1 gas temperature, 2 differential pressure (upper), 3 lower, 5 meter
  int kind = 0;
  int selector = 0;  // channel selector of the calibration image
};

// The program-wide state of one run of Ruvenset, gathered in one place: owned by the main window (or
// by the CLI or a test) and handed to every procedure.
struct ProgramState {
  explicit ProgramState(LinkClock& clock) : link(config.link, clock) {}
  ProgramState(const ProgramState&) = delete;
  ProgramState& operator=(const ProgramState&) = delete;

  Configuration config;
  std::string configPath;
  std::string startDirectory;
  LanguageTexts texts;
  Link link;
  std::unique_ptr<SerialPort> port;
  ConnectionRecord record;
  int linkMode = 0;  // 1 direct link, 0 no link
  // The port is the built-in simulated flow computer of the demo, not one of the COM slots.
  bool demo = false;
  bool connected = false;
  ChannelChoice channel;
  UnitChoices units;
  int channelNameText = 0;  // language text naming the channel in a procedure's messages
  CalibrationImage calibration;      // the calibration parameters the procedures work on
  DeviceMemoryMirror memoryMirror;   // the program's copy of the flow computer's memory, by address

  const std::string& Text(int id) const { return texts.Text(id); }
  // The Russian literal when the language is Russian, the Ukrainian one otherwise.
  const char* Bilingual(const char* russian, const char* ukrainian) const {
    return config.langRus == 1 ? russian : ukrainian;
  }
  void AttachPort(std::unique_ptr<SerialPort> opened) {
    port = std::move(opened);
    link.Attach(port.get());
  }
  void ClosePort() {
    link.Attach(nullptr);
    port.reset();
  }
};

}  // namespace ruvenset
