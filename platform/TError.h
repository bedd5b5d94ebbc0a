#pragma once
#include <stdexcept>
#include <string>

// Base of every error the program raises; what() is the French text shown
// in the error box.
class TError : public std::runtime_error {
public:
  // Build an error that shows Text.
  explicit TError(const std::string& Text) : std::runtime_error(Text) {}
};

// A failing file step, carrying the errno value it came from.
class TInOutError : public TError {
public:
  // Build the error for the errno value Code.
  explicit TInOutError(int Code);
  // Return the errno value the error came from.
  int Code() const noexcept { return FCode; }
  // Return the French text for an errno value.
  static std::string TextOf(int Code);

private:
  int FCode;
};

// A text that is not a whole number.
class TConvertError : public TError {
public:
  // Build "'Text' n'est pas une valeur entière correcte".
  explicit TConvertError(const std::string& Text);
};

// Integer arithmetic that passed the 32-bit range: "Débordement d'entier".
class TIntOverflowError : public TError {
public:
  // Build the overflow error.
  TIntOverflowError();
};

// A value outside the range of its destination: "Erreur de vérification d'étendue".
class TRangeError : public TError {
public:
  // Build the range-check error.
  TRangeError();
};
