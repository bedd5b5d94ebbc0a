#pragma once

// Port to the system's dialling of its default dial-up connection.  Both
// calls only make the request and return at once; results are not reported.
class TDialler {
public:
  virtual ~TDialler() = default;
  // Ask the system to dial its default connection.
  virtual void InternetAutodial() = 0;
  // Ask the system to hang its connection up.
  virtual void InternetAutodialHangup() = 0;
};
