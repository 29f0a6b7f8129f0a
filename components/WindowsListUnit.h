#pragma once
// The titles of all top-level windows of the desktop, as a snapshot taken on request.

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "platform/Desktop.h"

namespace wumpex {

struct TWindowInfo {
  platform::Handle Handle;
};

class TWindowsList : public TComponent {
 public:
  // One listed window: its title and its record.
  struct Entry {
    std::string title;
    std::unique_ptr<TWindowInfo> info;
  };

  TWindowsList(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TWindowsList"; }

  // Entries in Z-order, topmost window first; duplicates allowed.
  const std::vector<Entry>& TheWindowsList() const { return list_; }
  // When false, windows without a title are left out.
  bool AcceptEmptyNames() const { return acceptEmptyNames_; }
  void SetAcceptEmptyNames(bool accept) { acceptEmptyNames_ = accept; }

  // Rebuilds the list from every top-level window of every process, hidden ones included.
  void Refresh();
  // Lists one window when its title is accepted. Titles are read into 257 bytes with a
  // count of 255, so at most their first 254 characters.
  void AddWindow(platform::Handle window);

 private:
  std::vector<Entry> list_;
  bool acceptEmptyNames_ = false;
};

}  // namespace wumpex
