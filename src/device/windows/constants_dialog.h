#pragma once
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>

#include "device/constants.h"
#include "session/connection_record.h"
#include "session/language_texts.h"

namespace ruvenset {

// What the caller puts into one group of the constants dialog.
struct ConstantsGroupText {
  QString title;
  QString measured;
  QString constant;
  QString range;
  QString unit;
  float lower = 0;
  float upper = 0;
};

// The constants dialog: which measured quantities of a pipeline the flow computer replaces by
// constants. It works on the pipeline's state record: applying merges the choices into the record and,
// when that changed it, asks for confirmation; No puts the record back as it was.
class TForm33 : public QDialog {
  Q_OBJECT
 public:
  TForm33(QWidget* parent, const LanguageTexts& texts, uint8_t* stateRecord, uint8_t pipelineFlag,
          bool densityShown);

  // Fills a group's texts and bounds (the groups start measured/constant as the record says).
  void SetGroup(ConstantChannel channel, const ConstantsGroupText& text);
  void SetButtons(const QString& apply, const QString& cancel);

  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox3;
  QGroupBox* GroupBox4;
  std::array<QRadioButton*, 8> RadioButton;  // [0] = RadioButton1 ... [7] = RadioButton8
  std::array<QLineEdit*, 4> Edit;            // Edit1 .. Edit4: pressure, temperature, diff. pressure, density
  std::array<QLabel*, 8> Label;              // Label1 .. Label4 ranges, Label5 .. Label8 units
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 public slots:
  void BitBtn1Click();

 private:
  struct Group {
    QGroupBox* box;
    QRadioButton* measured;
    QRadioButton* constant;
    QLineEdit* field;
    QLabel* range;
    QLabel* unit;
    float lower = 0;
    float upper = 0;
  };
  QGroupBox* BuildGroup(int index, ConstantChannel channel, const ConstantChoice& choice);
  void ShowConstant(int index);
  bool FieldValid(int index) const;
  ConstantsChoices Choices() const;

  const LanguageTexts& texts_;
  uint8_t* record_;
  uint8_t saved_[kPipelineStateSize];
  uint8_t pipelineFlag_;
  bool densityShown_;
  std::array<Group, 4> groups_;
};

}  // namespace ruvenset
