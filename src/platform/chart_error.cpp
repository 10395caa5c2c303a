#include "platform/chart_error.h"

namespace palvex {

std::string ErrorMessage(int number) {
  switch (number) {
    case kErrInvalidCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrOutOfMemory:
      return "Out of memory";
    case kErrSubscript:
      return "Subscript out of range";
    case kErrDivisionByZero:
      return "Division by zero";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrInternal:
      return "Internal error";
    case kErrBadFileName:
      return "Bad file name or number";
    case kErrFileNotFound:
      return "File not found";
    case kErrPathAccess:
      return "Path/File access error";
    case kErrInvalidPropertyValue:
      return "Invalid property value";
    case kErrNoSuchElement:
      return "Control array element doesn't exist";
    case kErrArgumentNotOptional:
      return "Argument not optional";
    case kErrNoSuchMember:
      return "Object doesn't support this property or method";
    case kErrClipboard:
      return "Can't open Clipboard";
    case kErrWrongArgumentCount:
      return "Wrong number of arguments or invalid property assignment";
    default:
      return "Application-defined or object-defined error";
  }
}

}  // namespace palvex
