#pragma once
// The program's exception classes. Each knows its class name, which the last-resort report
// shows, and the code address at which it was made.

#include <stdexcept>
#include <string>

namespace wumpex {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message)
      : std::runtime_error(message), address_(__builtin_return_address(0)) {}
  virtual const char* ClassName() const { return "Exception"; }
  const std::string Message() const { return what(); }
  const void* Address() const { return address_; }

 private:
  const void* address_;
};

#define WUMPEX_EXCEPTION_CLASS(Name, Base)                   \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

// Ends a handler without a word to the user.
WUMPEX_EXCEPTION_CLASS(EAbort, Exception);
WUMPEX_EXCEPTION_CLASS(EConvertError, Exception);
WUMPEX_EXCEPTION_CLASS(EOutOfResources, Exception);
WUMPEX_EXCEPTION_CLASS(EInOutError, Exception);
WUMPEX_EXCEPTION_CLASS(EStringListError, Exception);
WUMPEX_EXCEPTION_CLASS(EInvalidOperation, Exception);
WUMPEX_EXCEPTION_CLASS(EMCIDeviceError, Exception);

#undef WUMPEX_EXCEPTION_CLASS

}  // namespace wumpex
