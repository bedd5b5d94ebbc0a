#pragma once
#include <cstdint>

#include "TError.h"

// Add two 32-bit integers; raise TIntOverflowError when the sum leaves the range.
inline int32_t CheckedAdd(int32_t A, int32_t B)
{
  int32_t Sum = 0;
  if (__builtin_add_overflow(A, B, &Sum))
    throw TIntOverflowError();
  return Sum;
}

// Subtract two 32-bit integers; raise TIntOverflowError when the result leaves the range.
inline int32_t CheckedSub(int32_t A, int32_t B)
{
  int32_t Difference = 0;
  if (__builtin_sub_overflow(A, B, &Difference))
    throw TIntOverflowError();
  return Difference;
}

// Multiply two 32-bit integers; raise TIntOverflowError when the product leaves the range.
inline int32_t CheckedMul(int32_t A, int32_t B)
{
  int32_t Product = 0;
  if (__builtin_mul_overflow(A, B, &Product))
    throw TIntOverflowError();
  return Product;
}

// Narrow a value truncated toward zero to 32 bits; raise TRangeError when it does not fit.
inline int32_t CheckedRange(double Value)
{
  if (!(Value >= -2147483648.0 && Value < 2147483648.0))
    throw TRangeError();
  return static_cast<int32_t>(Value);
}
