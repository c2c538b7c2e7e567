#include <gtest/gtest.h>

#include <cstring>

#include "common/crc16.h"
#include "enter_requests.h"
#include "storage/adc_parameters_view.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

// The parameter windows played from queues; every list shown is kept.
struct ScriptedAdcPages : AdcParameterPages {
  explicit ScriptedAdcPages(LinkClock& clock) : host(clock) {}
  std::deque<AdcListAnswer> answers;
  std::deque<std::optional<int>> choices;
  std::deque<std::optional<MeasurementAnswer>> measurements;
  std::vector<AdcParameterList> lists;
  std::vector<ChoiceRequest> choiceRequests;
  std::vector<MeasurementRequest> measurementRequests;
  ClockServiceHost host;

  AdcListAnswer ShowParameterList(const AdcParameterList& list) override {
    lists.push_back(list);
    if (answers.empty()) return {AdcListAction::Leave, 0};
    const AdcListAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<int> AskAdcChoice(const ChoiceRequest& request) override {
    choiceRequests.push_back(request);
    if (choices.empty()) return std::nullopt;
    const auto c = choices.front();
    choices.pop_front();
    return c;
  }
  std::optional<MeasurementAnswer> AskMeasurement(const MeasurementRequest& request) override {
    measurementRequests.push_back(request);
    if (measurements.empty()) return std::nullopt;
    const auto m = measurements.front();
    measurements.pop_front();
    return m;
  }
  ServiceWindowHost& ServiceHost() override { return host; }
};

class AdcParametersView : public StorageFixture {
 protected:
  AdcParametersResult Show(int selector) {
    AdcTools tools{state, technician, technician, technician, adc};
    return ShowAdcParameters(tools, selector);
  }
  // The write-memory requests the flow computer got: (channel code, address, data).
  std::vector<std::tuple<int, int, std::vector<uint8_t>>> Writes() const {
    std::vector<std::tuple<int, int, std::vector<uint8_t>>> writes;
    for (const auto& r : peer->requests) {
      if (r.size() < 29 || r[0] != 0xBB || r[3] != 0x14) continue;
      EXPECT_EQ(r.size(), 40u);
      EXPECT_EQ(r[24], 3);
      writes.emplace_back(r[5], r[22] << 8 | r[23], std::vector<uint8_t>(r.begin() + 27, r.end() - 2));
    }
    return writes;
  }
  ScriptedAdcPages adc{clock};
};

TEST_F(AdcParametersView, PolarityAndFilterOfTheTemperatureInputOnModel7) {
  sim::FlowComputerConfig model7;
  model7.model = 7;
  ASSERT_EQ(Connect(model7), ConnectResult::Connected);
  adc.answers = {{AdcListAction::Change, 1}, {AdcListAction::Change, 2}, {AdcListAction::Accept, 0}};
  adc.choices = {1};
  technician.numbers = {1000.0f};
  technician.confirms = {true};
  ASSERT_EQ(Show(1), AdcParametersResult::Written);
  ASSERT_EQ(adc.lists.size(), 3u);
  EXPECT_EQ(adc.lists[0].rows[1], "Вход 2: полярность входа: биполярный");
  EXPECT_EQ(adc.lists[2].rows[1], "Вход 2: полярность входа: униполярный");
  EXPECT_EQ(adc.lists[2].rows[2], "Вход 2: значение фильтра: 1000");
  EXPECT_EQ(adc.lists[2].selected, 2);
  const auto writes = Writes();
  ASSERT_EQ(writes.size(), 1u);
  const auto& [channel, address, data] = writes[0];
  EXPECT_EQ(channel, 1);
  EXPECT_EQ(address, 4301);
  ASSERT_EQ(data.size(), 11u);
  EXPECT_EQ(data[4], 0xD3);  // the option with its marker bits, the filter's high part
  EXPECT_EQ(data[5], 0xE8);
  EXPECT_TRUE(Crc16Matches(data.data(), 9));
  EXPECT_EQ(std::memcmp(peer->model.memory() + 4301, data.data(), 11), 0);
  EXPECT_EQ(peer->model.State(1, clock.NowNs()), 0);  // service mode left
  EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{0}));
}

TEST_F(AdcParametersView, SecondBlockOfModel16AndNothingWithoutChanges) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  adc.answers = {{AdcListAction::Change, 0}, {AdcListAction::Accept, 0}};
  adc.choices = {5};
  technician.confirms = {true};
  ASSERT_EQ(Show(2), AdcParametersResult::Written);
  EXPECT_EQ(adc.choiceRequests[0].columns, 4);
  ASSERT_EQ(Writes().size(), 1u);
  EXPECT_EQ(std::get<0>(Writes()[0]), 2);
  EXPECT_EQ(std::get<1>(Writes()[0]), 7947);
  EXPECT_EQ(std::get<2>(Writes()[0])[0], 0x05);

  peer->requests.clear();
  technician.log.clear();
  adc.answers = {{AdcListAction::Accept, 0}};
  EXPECT_EQ(Show(0), AdcParametersResult::Unchanged);
  adc.answers = {{AdcListAction::Change, 3}, {AdcListAction::Leave, 0}};
  adc.choices = {1};
  EXPECT_EQ(Show(0), AdcParametersResult::Left);
  EXPECT_TRUE(Writes().empty());
  EXPECT_TRUE(technician.log.empty());  // nothing asked
}

TEST_F(AdcParametersView, ReadOnlyDisplayOfEveryChannelAndADeclinedWrite) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  adc.answers = {{AdcListAction::Change, 0}};
  EXPECT_EQ(Show(3), AdcParametersResult::Unchanged);
  ASSERT_EQ(adc.lists.size(), 1u);
  EXPECT_TRUE(adc.lists[0].readOnly);
  EXPECT_EQ(adc.lists[0].rows.size(), 30u);
  EXPECT_TRUE(adc.choiceRequests.empty());

  adc.answers = {{AdcListAction::Change, 5}, {AdcListAction::Accept, 0}};
  adc.choices = {2};
  technician.confirms = {false};
  EXPECT_EQ(Show(1), AdcParametersResult::Declined);
  EXPECT_TRUE(Writes().empty());
  uint8_t kept = 0;
  ASSERT_TRUE(state.memoryMirror.Load(4301 + 4, &kept, 1));
  EXPECT_EQ(kept & 0x03, 2);  // the mirror keeps the edit
}

TEST_F(AdcParametersView, MeasurementParametersOfModel20AreOnlyShown) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.record.id.type = 20;  // the simulator keeps block 7984 whatever its model
  AdcTools tools{state, technician, technician, technician, adc};
  technician.confirms = {true, false};  // neither answer changes anything
  EXPECT_EQ(DisplayMeasurementParameters(tools, true), AdcParametersResult::Unchanged);
  EXPECT_EQ(DisplayMeasurementParameters(tools, false), AdcParametersResult::Unchanged);
  ASSERT_EQ(technician.log.size(), 2u);
  EXPECT_EQ(technician.log[0],
            "confirm3 Параметры измерения канала температуры | Пауза перед измерением в канале: 100 мс | "
            "Количество преобразований в канале: 3 | ");
  EXPECT_EQ(technician.log[1],
            "confirm3 Параметры измерения каналов давления и температуры | Пауза перед измерением в каналах: "
            "100 мс "
            "| Количество преобразований в каналах: 3 | ");
  EXPECT_TRUE(Writes().empty());
}

TEST_F(AdcParametersView, ChangedMeasurementParametersAreWrittenUnderServiceMode) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  AdcTools tools{state, technician, technician, technician, adc};
  adc.measurements = {MeasurementAnswer{1001, 5}};
  EXPECT_EQ(ShowMeasurementParameters(tools, 1), AdcParametersResult::Left);  // not one of 1, 3, 5, 7, 9
  adc.measurements = {MeasurementAnswer{7, 1001}};
  EXPECT_EQ(ShowMeasurementParameters(tools, 1), AdcParametersResult::Left);  // a pause beyond 1000
  adc.measurements = {MeasurementAnswer{7, 250}};
  ASSERT_EQ(ShowMeasurementParameters(tools, 1), AdcParametersResult::Written);
  ASSERT_EQ(adc.measurementRequests.size(), 3u);
  EXPECT_EQ(adc.measurementRequests[0].conversionsIndex, 1);
  EXPECT_EQ(adc.measurementRequests[0].pause, 100);
  const uint8_t* block = peer->model.memory() + 7984;
  EXPECT_EQ(block[2] << 8 | block[3], 250);
  EXPECT_EQ(block[11], 7);
  EXPECT_TRUE(Crc16Matches(block, 16));
  EXPECT_EQ(peer->model.State(1, clock.NowNs()), 0);
  EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{0}));
}

// The leave request's answer is lost and the technician does not ask again: the block is in the flow
// computer, but the write is not reported as done.
TEST_F(AdcParametersView, AWriteWhoseServiceModeWasNotLeftIsNoSuccess) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  AdcTools tools{state, technician, technician, technician, adc};
  peer->filter = [](const std::vector<uint8_t>& request, std::vector<uint8_t>&) {
    return request[3] != 0x11;
  };
  technician.confirms = {false};
  adc.measurements = {MeasurementAnswer{7, 250}};
  EXPECT_EQ(ShowMeasurementParameters(tools, 1), AdcParametersResult::LeaveFailed);
  EXPECT_EQ(technician.Count("confirm " + Text(2195)), 1);
  const uint8_t* block = peer->model.memory() + 7984;
  EXPECT_EQ(block[2] << 8 | block[3], 250);
}

TEST_F(AdcParametersView, UnitsDuringCalibration) {
  sim::FlowComputerConfig model7;
  model7.model = 7;
  ASSERT_EQ(Connect(model7), ConnectResult::Connected);
  AdcTools tools{state, technician, technician, technician, adc};
  ASSERT_TRUE(ShowCalibrationUnits(tools));
  EXPECT_EQ(technician.Count("information " + Text(2917)), 1);
}

}  // namespace
}  // namespace ruvenset::testing
