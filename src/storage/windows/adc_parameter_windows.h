#pragma once
#include <QDialog>
#include <QPointer>

#include "session/program_state.h"
#include "shell/windows/qt_technician.h"
#include "storage/adc_parameters_view.h"
#include "verification/windows/service_window.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ruvenset {

// The list of decoded ADC settings, one row of 22 pixels each: change the selected row, accept, leave.
// Read-only it shows only its "Ok" button, centred.
class TParamCh : public QDialog {
  Q_OBJECT
 public:
  TParamCh(QWidget* owner, const AdcParameterList& list);
  AdcListAnswer Answer();

  QLabel* Label1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // leave, modal result 2
  QPushButton* BitBtn2 = nullptr;  // change
  QPushButton* BitBtn3 = nullptr;  // accept, modal result 6

  void BitBtn2Click();

 private:
  bool readOnly_;
};

// The choice of one setting's value: radio items in columns, accept and cancel.
class TPch1 : public QDialog {
  Q_OBJECT
 public:
  TPch1(QWidget* owner, const ChoiceRequest& request);
  std::optional<int> Answer();

  QGroupBox* RadioGroup1 = nullptr;
  QButtonGroup* items = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
};

// The measurement parameters of a channel: number of conversions and the pause before measurement.
class TPch2 : public QDialog {
  Q_OBJECT
 public:
  TPch2(QWidget* owner, const MeasurementRequest& request);
  std::optional<MeasurementAnswer> Answer();

  QGroupBox* RadioGroup1 = nullptr;
  QButtonGroup* items = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;

  // Accepts the pause only within the window's bounds; the focus goes back to Edit1 otherwise.
  void BitBtn1Click();

 private:
  MeasurementRequest request_;
};

class QtAdcParameterPages final : public AdcParameterPages {
 public:
  explicit QtAdcParameterPages(QWidget* owner) : owner_(owner), host_(owner) {}
  AdcListAnswer ShowParameterList(const AdcParameterList& list) override;
  std::optional<int> AskAdcChoice(const ChoiceRequest& request) override;
  std::optional<MeasurementAnswer> AskMeasurement(const MeasurementRequest& request) override;
  ServiceWindowHost& ServiceHost() override { return host_; }

 private:
  QPointer<QWidget> owner_;
  QtServiceWindowHost host_;
};

// The General menu's items: ADC channel parameters (N2, for the menu's channel), measurement
// parameters (N30) and units during calibration (N8).
void AdcParametersInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician, int selector);
void MeasurementParametersInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                    int channel);
void CalibrationUnitsInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician);

// The read-only display of every channel's ADC settings that the calibration procedure shows; false
// when the blocks could not be read.
bool DisplayAdcParameters(QWidget* owner, ProgramState& state, QtTechnician& technician);

}  // namespace ruvenset
