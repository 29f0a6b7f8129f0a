#pragma once
// Components: named parts with an owner that frees them. A form owns every component on
// it; the components are created in the order the layout lists them, and each gets its
// after-loading step once all of them exist.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wumpex {

class TComponent;

// An event handler; an empty one is skipped.
using TNotifyEvent = std::function<void(TComponent* sender)>;

class TComponent {
 public:
  TComponent(TComponent* owner, std::string name);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual const char* ClassName() const { return "TComponent"; }
  const std::string& Name() const { return name_; }
  TComponent* Owner() const { return owner_; }

  // Creates a component owned by this one; the owner frees it.
  template <class T, class... Args>
  T* Make(std::string name, Args&&... args) {
    auto made = std::make_unique<T>(this, std::move(name), std::forward<Args>(args)...);
    T* raw = made.get();
    owned_.push_back(std::move(made));
    return raw;
  }

  const std::vector<std::unique_ptr<TComponent>>& Components() const { return owned_; }
  TComponent* FindComponent(const std::string& name) const;

  // Runs every owned component's after-loading step, in creation order.
  void LoadedAll();

 protected:
  // Called once every component of the owner exists and has its properties.
  virtual void Loaded() {}
  static void Fire(const TNotifyEvent& handler, TComponent* sender) {
    if (handler) handler(sender);
  }
  void DestroyLastComponent() { owned_.pop_back(); }

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<std::unique_ptr<TComponent>> owned_;
};

}  // namespace wumpex
