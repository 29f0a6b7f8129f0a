#include "framework/Component.h"

namespace wumpex {

TComponent::TComponent(TComponent* owner, std::string name)
    : owner_(owner), name_(std::move(name)) {}

// Owned components go in reverse order of creation, so that nothing outlives what it uses.
TComponent::~TComponent() {
  while (!owned_.empty()) owned_.pop_back();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (const auto& c : owned_) {
    if (c->Name() == name) return c.get();
  }
  return nullptr;
}

void TComponent::LoadedAll() {
  for (const auto& c : owned_) c->Loaded();
}

}  // namespace wumpex
