#pragma once
// The exception classes the program raises and catches. All derive from Exception,
// whose Message() is the text the default handler shows.
#include <stdexcept>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string m) { FMessage = std::move(m); }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

// The runtime's I/O error: carries the operating system's error code (errno).
class EInOutError : public Exception {
 public:
  EInOutError(int errorCode, std::string message)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  explicit EInOutError(int errorCode);
  int ErrorCode;
};

class EStreamError : public Exception { using Exception::Exception; };
class EFileStreamError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EFileStreamError { using EFileStreamError::EFileStreamError; };
class EFOpenError : public EFileStreamError { using EFileStreamError::EFileStreamError; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EConvertError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidGraphic : public Exception { using Exception::Exception; };
class EOutOfResources : public Exception { using Exception::Exception; };
class EComponentError : public Exception { using Exception::Exception; };
class EInvalidPath : public Exception { using Exception::Exception; };
class EOleError : public Exception { using Exception::Exception; };
// A malformed stored layout; the message names the line.
class ELayoutError : public Exception { using Exception::Exception; };

// "Format" for messages: printf-style, returns a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// Text of an operating-system error code.
std::string SysErrorMessage(int errorCode);
