#pragma once
#include <gtest/gtest.h>

#include <stdlib.h>
#include "temp_folder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/virtual_link_clock.h"
#include "scripted_calibration_pages.h"
#include "scripted_technician.h"
#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "sim_peer.h"
#include "storage/calibration_file.h"
#include "storage/calibration_tools.h"

namespace ruvenset::testing {

// Tables the simulated flow computer measures with: the temperature sensor gives
// 4 000 000 + 50 000 × T + 150 × (Ta − 20) and the ambient sensor 32768 + 400 × Ta.
inline void FillChannel(CalibrationImage& image, CalibrationSection section, int tosPoints, int points) {
  const ChannelSection channel = image.Channel(section);
  channel.SetTosCount(static_cast<uint16_t>(tosPoints));
  for (int k = 0; k < tosPoints; ++k) {
    channel.SetTosPoint(k, 32768 + 400 * (k * 20), static_cast<float>(k * 20));
    channel.SetPointCount(k, static_cast<uint16_t>(points));
    for (int i = 0; i < points; ++i)
      channel.SetPoint(k, i, 100000 + 500000 * i + k, static_cast<float>(i) * 2.0f - 10.0f);
  }
}

// An image that belongs to the default simulated flow computer (model 16, version 35, code 160123).
inline CalibrationImage DeviceImage(uint8_t model = 16) {
  CalibrationImage image;
  image.modelCode = model;
  image.softwareVersion = 35;
  image.SetIdentificationCode(160123);
  FillChannel(image, CalibrationSection::Pressure, 2, 5);
  FillChannel(image, CalibrationSection::Temperature, 3, 6);
  FillChannel(image, CalibrationSection::DifferentialPressure, 2, 4);
  const uint8_t adc[9] = {3, 0, 3, 1, 1, 1, 0, 0, 0};
  std::copy(adc, adc + 9, image.pressureAdcParameters);
  std::copy(adc, adc + 9, image.differentialAdcParameters);
  image.SetCharacteristic(CalibrationSection::Pressure, 0.0f, 1.0f);
  image.SetCharacteristic(CalibrationSection::DifferentialPressure, 0.0f, 1.0f);
  image.SetCorrectionCount(4);
  const float flows[4] = {0.0f, 100.0f, 400.0f, 1000.0f};
  const float multipliers[4] = {1.001f, 1.0f, 0.999f, 0.998f};
  for (int i = 0; i < 4; ++i) image.SetCorrectionPoint(i, flows[i], multipliers[i]);
  image.StoreCheckBytes();
  return image;
}

// A Ruvenset state with the Russian catalogue, scripted windows, a temporary start folder and, once
// connected, the simulated flow computer over a loopback port in virtual time.
struct StorageFixture : ::testing::Test {
  StorageFixture() {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang01.txt", state.texts);
    state.config.link.speedSearch = 0;
    state.startDirectory = folder.Path();
  }

  ConnectResult Connect(const sim::FlowComputerConfig& config = {}) {
    device = config;
    technician.passwords.push_back(std::string("1234"));
    auto opener = [this](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      peer = std::make_unique<SimPeer>(*loop, clock, device);
      peer->model.SetCodeJitter(0);
      port = std::move(loop);
      return PortOpenResult{};
    };
    const ConnectResult result = ConnectToFlowComputer(state, technician, technician, opener, "loopback");
    peer->requests.clear();
    technician.log.clear();
    return result;
  }

  std::string Text(int id) const { return state.Text(id); }
  std::string SaveImage(const CalibrationImage& image, const std::string& name) {
    const std::string path = folder.File(name);
    CalibrationImage copy = image;
    copy.StoreCheckBytes();
    WriteBytes(path, {copy.Bytes(), copy.Bytes() + kCalibrationImageSize});
    return path;
  }

  TempFolder folder;
  VirtualLinkClock clock;
  ProgramState state{clock};
  ScriptedTechnician technician;
  ScriptedCalibrationPages pages;
  RecordingWriteBackPages writeBack{state, technician};
  CalibrationTools tools{state, technician, technician, technician, pages, writeBack};
  sim::FlowComputerConfig device;
  std::unique_ptr<SimPeer> peer;
};

}  // namespace ruvenset::testing
