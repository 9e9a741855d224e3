// The exit statuses of kavrel, for one analysis and for many in one call.
#pragma once

namespace kavrel::exits {

inline constexpr int ReportWritten = 0;
inline constexpr int InputFault = 1;
inline constexpr int CommandLine = 2;
inline constexpr int WriteFault = 3;
inline constexpr int InternalFault = 4;
inline constexpr int OutputClosed = 5;
inline constexpr int StoppedAfterWriting = 6;

}  // namespace kavrel::exits
