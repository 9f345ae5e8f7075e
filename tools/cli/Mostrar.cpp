// transzorvex-cli mostrar TABLA [--formato csv|json]: the table's field definitions,
// then its records (deleted ones left out), as UTF-8.

#include <charconv>
#include <cstdio>
#include <iostream>

#include "dbf/Table.h"
#include "tools/cli/Comandos.h"
#include "tools/cli/CsvJson.h"

namespace {

// Numbers with a point as decimal separator, whatever the user's locale: the output is
// meant for other programs too.
std::string numberText(const dbf::Value& v) {
  if (v.integral) return std::to_string(v.integer);
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v.number);
  return std::string(buf, r.ptr);
}

std::string dateText(const dbf::Value& v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", v.date.year, v.date.month, v.date.day);
  return buf;
}

std::string csvValue(const dbf::Value& v) {
  switch (v.kind) {
    case dbf::Value::Kind::Empty:
      return "";
    case dbf::Value::Kind::Text:
      return csvField(v.text);
    case dbf::Value::Kind::Number:
      return numberText(v);
    case dbf::Value::Kind::Boolean:
      return v.flag ? "T" : "F";
    case dbf::Value::Kind::Date:
      return dateText(v);
  }
  return "";
}

std::string jsonValue(const dbf::Value& v, char type) {
  switch (v.kind) {
    case dbf::Value::Kind::Empty:
      return (type == 'C' || type == 'V') ? "\"\"" : "null";
    case dbf::Value::Kind::Text:
      return jsonString(v.text);
    case dbf::Value::Kind::Number:
      return numberText(v);
    case dbf::Value::Kind::Boolean:
      return v.flag ? "true" : "false";
    case dbf::Value::Kind::Date:
      return jsonString(dateText(v));
  }
  return "null";
}

void printCsv(dbf::Table& t) {
  const auto& fields = t.layout().fields;
  std::cout << "campo,tipo,longitud,decimales\n";
  for (const auto& f : fields)
    if (!f.system)
      std::cout << csvField(f.name) << ',' << f.type << ',' << f.length << ',' << f.decimals
                << '\n';
  std::cout << '\n';
  bool firstColumn = true;
  for (const auto& f : fields) {
    if (f.system) continue;
    std::cout << (firstColumn ? "" : ",") << csvField(f.name);
    firstColumn = false;
  }
  std::cout << '\n';
  for (t.first(); !t.eof(); t.next()) {
    firstColumn = true;
    for (const auto& f : fields) {
      if (f.system) continue;
      std::cout << (firstColumn ? "" : ",") << csvValue(t.value(f.name));
      firstColumn = false;
    }
    std::cout << '\n';
  }
}

void printJson(dbf::Table& t) {
  const auto& fields = t.layout().fields;
  std::cout << "{\"campos\":[";
  bool first = true;
  for (const auto& f : fields) {
    if (f.system) continue;
    std::cout << (first ? "" : ",") << "{\"nombre\":" << jsonString(f.name) << ",\"tipo\":\""
              << f.type << "\",\"longitud\":" << f.length << ",\"decimales\":" << f.decimals << "}";
    first = false;
  }
  std::cout << "],\n\"registros\":[";
  bool firstRecord = true;
  for (t.first(); !t.eof(); t.next()) {
    std::cout << (firstRecord ? "\n{" : ",\n{");
    firstRecord = false;
    first = true;
    for (const auto& f : fields) {
      if (f.system) continue;
      std::cout << (first ? "" : ",") << jsonString(f.name) << ':'
                << jsonValue(t.value(f.name), f.type);
      first = false;
    }
    std::cout << '}';
  }
  std::cout << "\n]}\n";
}

}  // namespace

int comandoMostrar(const std::vector<std::string>& args) {
  std::string tabla;
  std::string formato = "csv";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--formato" && i + 1 < args.size()) {
      formato = args[++i];
    } else if (tabla.empty() && args[i].rfind("--", 0) != 0) {
      tabla = args[i];
    } else {
      tabla.clear();
      break;
    }
  }
  if (tabla.empty() || (formato != "csv" && formato != "json")) {
    std::cerr << "uso: transzorvex-cli mostrar TABLA [--formato csv|json]\n";
    return 2;
  }
  dbf::Table t;
  t.setTableName(tabla);
  t.setReadOnly(true);
  t.open();
  if (formato == "json")
    printJson(t);
  else
    printCsv(t);
  t.close();
  return 0;
}
