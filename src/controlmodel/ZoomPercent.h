#pragma once
// The zoom percentage a user may ask the map for.
#include <optional>
#include <string>

constexpr int kZoomPercentMin = 10;
constexpr int kZoomPercentMax = 100000;
constexpr int kZoomPercentDefault = 100;

// The percentage typed, or nothing when the text is no whole number or lies outside 10 to 100,000.
std::optional<int> ParseZoomPercent(const std::string& text);
// Why the text is refused, as the user is told; empty when it is taken.
std::string ZoomPercentProblem(const std::string& text);
