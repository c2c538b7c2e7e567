#pragma once
#include <optional>
#include <string>
#include <vector>

#include "device/device_prompts.h"
#include "verification/hart_link.h"

namespace ruvenset {

class MeasuringWindow;

// The substitute-value page: the channel measured or replaced by a constant within its range.
struct SubstituteValuePage {
  std::string caption;
  std::string channelName;  // language text 2125 + kind
  std::string unitName;
  bool measured = true;
  float constant = 0;
  float lower = 0;
  float upper = 0;
  std::string rangeText;     // "[ %g ... %g ]"
  std::string constantText;  // the current constant as shown ("%.2f" for temperature)
};

struct SubstituteValueAnswer {
  bool measured = true;
  float constant = 0;
};

// The transmitter page: port, type and polling address of the reference transmitter.
struct TransmitterPage {
  std::string caption;
  bool portChoiceEnabled = true;  // off where the transmitter hangs on the flow computer's line
  TransmitterChoice preset;
};

// The data-file dialog of a new or continued verification data file.
struct DataFileDialog {
  bool newFile = true;  // a save dialog; otherwise an open dialog for an existing file
  std::string title;
  std::string filter;  // "DataFiles (*.ctr)|*.ctr|All files (*.*)|*.*"
  std::string folder;
};

// The start page: the pipeline, the channel and the question whether to start.
struct StartPage {
  std::string caption;
  std::string pipelineLine;  // language text 2209
  std::string channelLine;   // language text 2212
};

// The wizard pages of a verification and its measuring window, as the technician sees them. The Qt
// windows, the CLI (answers from its options) and scripted tests implement them. An empty optional or
// false is the page's Cancel or Exit.
class VerificationPages {
 public:
  virtual ~VerificationPages() = default;
  // TForm45. The page validates the constant against its range before it closes with Next; nullopt
  // when it was closed otherwise (the procedure goes on without changing the record).
  virtual std::optional<SubstituteValueAnswer> AskSubstituteValue(const SubstituteValuePage& page) = 0;
  // TForm46: item 0 do not poll, 1 poll the reference HART transmitter.
  virtual std::optional<int> AskPollReference(const ChoiceRequest& page) = 0;
  // TForm47. Next is answered with the choice; the procedure opens the link and shows the page again
  // when the address is outside 1..15 or the link could not be opened.
  virtual std::optional<TransmitterChoice> AskTransmitter(const TransmitterPage& page) = 0;
  // TForm48: the variable of a 3095 (0 differential pressure, 1 pressure, 2 temperature, 3 flow).
  virtual std::optional<int> AskTransmitterVariable(const ChoiceRequest& page) = 0;
  // TForm49: item 0 the reference measures absolute pressure, 1 gauge pressure.
  virtual std::optional<int> AskReferencePressureKind(const ChoiceRequest& page) = 0;
  // TFdann: item 0 no file, 1 a new file, 2 continue a file.
  virtual std::optional<int> AskDataFileChoice(const ChoiceRequest& page) = 0;
  // The save or open dialog of the data file; nullopt when cancelled.
  virtual std::optional<std::string> AskDataFilePath(const DataFileDialog& dialog) = 0;
  // The confirm window asking whether the actual value is typed in (Yes) or there is no reference (No);
  // nullopt when it was closed otherwise (Escape, the close box), which ends the verification.
  virtual std::optional<bool> AskTypedReference(const std::string& caption, const std::string& message) = 0;
  // TForm51 and the measuring window's new-actual-value button: a value within the channel's range.
  virtual std::optional<float> AskActualValue(const NumberRequest& request) = 0;
  // TForm52: true starts the verification.
  virtual bool AskStart(const StartPage& page) = 0;
  // The measuring window (TForm54 or TForm55), shown modally: its timer calls window.Timer1Timer()
  // (first after window.firstInterval(), then after the interval each tick returns), its buttons call
  // BitBtn1Click..BitBtn3Click, and it renders window.display() after each of them. Returns when the
  // finish button has closed it.
  virtual void RunMeasuringWindow(MeasuringWindow& window) = 0;
};

}  // namespace ruvenset
