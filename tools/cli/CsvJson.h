#pragma once
// Writing values as CSV fields and JSON strings.
#include <string>
#include <string_view>

std::string csvField(std::string_view s);
std::string jsonString(std::string_view s);
