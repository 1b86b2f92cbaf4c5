#pragma once

#include <memory>
#include <string>

#include "platform/uikit/UIViewController.h"

namespace platform::springboard {

// The container of one Control Center module, expanded or collapsed as the person opens it.
class CCUIContentModuleContainerViewController : public uikit::UIViewController {
  RUNTIME_CLASS(CCUIContentModuleContainerViewController)

 public:
  static constexpr const char* kNowPlayingModuleIdentifier = "com.apple.mediaremote.controlcenter.nowplaying";

  static std::shared_ptr<CCUIContentModuleContainerViewController> create(std::string moduleIdentifier);

  const std::string& moduleIdentifier() const { return moduleIdentifier_; }
  bool isExpanded() const { return expanded_; }
  void setExpanded(bool expanded);

 private:
  std::string moduleIdentifier_;
  bool expanded_ = false;
};

}  // namespace platform::springboard
