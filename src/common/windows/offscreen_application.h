#pragma once
#include <QGuiApplication>
#include <memory>
#include <string>

namespace ruvenset {

// A Qt application to paint with where there may be no display: the one running, or else one started
// on the offscreen platform for as long as this object lives (a command-line program printing a PDF).
// Qt takes the system's locale for the C library when it starts; a program that started it here gets
// its own back afterwards, so that its printed numbers keep their decimal point.
class OffscreenApplication {
 public:
  OffscreenApplication();
  ~OffscreenApplication();
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

 private:
  std::string locale_;
  std::unique_ptr<QGuiApplication> own_;
};

}  // namespace ruvenset
