#pragma once
// Times as the service and the alarm command give them: ISO 8601 in UTC.

#include <chrono>
#include <string>

// "2024-05-01T09:30:00Z", to the second.
std::string isoUtcText(std::chrono::system_clock::time_point time);

// Seconds since 1970 in UTC, with milliseconds.
double unixSeconds(std::chrono::system_clock::time_point time);
