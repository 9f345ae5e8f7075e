#pragma once
#include <string>
#include <vector>

// Each command takes its arguments (after the command word) and returns the exit code.
int comandoMostrar(const std::vector<std::string>& args);
int comandoExportar(const std::vector<std::string>& args);
int comandoImportar(const std::vector<std::string>& args);
int comandoComprobar(const std::vector<std::string>& args);
int comandoCopias(const std::vector<std::string>& args);
int comandoRestaurar(const std::vector<std::string>& args);
