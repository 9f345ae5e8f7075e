// Makes and changes an indexed table through the engine, for checking its production
// index with an independent reader:
//   mdx_tool crear TABLA N      table of N records with tags COD, CODVALEN and HORA
//   mdx_tool agregar TABLA N    appends N more records
//   mdx_tool editar TABLA K     changes COD and HORA of every K-th record
//   mdx_tool vaciar TABLA       empties the table
//   mdx_tool leer TABLA TAG     prints the record numbers in the tag's order
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "dbf/Table.h"

namespace {

std::string codigo(int i) {
  std::string s = {static_cast<char>('A' + (i * 7) % 26), static_cast<char>('A' + (i * 3) % 26),
                   static_cast<char>('A' + i % 5)};
  if (i % 11 == 0) s = "Ñ" + s.substr(0, 2);  // a byte above 127 in the key
  if (i % 13 == 0) s = "";
  return s;
}

}  // namespace

void agregar(dbf::Table& t, int desde, int n) {
  for (int i = desde; i < desde + n; ++i) {
    t.append();
    t.setString("COD", codigo(i));
    t.setString("NOMBRE", "registro " + std::to_string(i + 1));
    char b[32];
    std::snprintf(b, sizeof b, "%dESO%03d", i % 4, (i * 37) % 1000);
    t.setString("CODVALEN", b);
    t.setInteger("HORA", (i * 13) % 97 - 20);
  }
  if (t.state() == dbf::TableState::Insert) t.post();
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string orden = argv[1];
  dbf::Table t;
  t.setTableName(argv[2]);
  try {
    if (orden == "crear") {
      t.fieldDefs() = {{"COD", dbf::FieldKind::String, 4},
                       {"NOMBRE", dbf::FieldKind::String, 20},
                       {"CODVALEN", dbf::FieldKind::String, 10},
                       {"HORA", dbf::FieldKind::Integer, 0}};
      t.indexDefs() = {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}, {"HORA", "HORA"}};
      t.createTable();
      t.open();
      agregar(t, 0, std::atoi(argv[3]));
    } else if (orden == "agregar") {
      t.open();
      agregar(t, static_cast<int>(t.recordCount()), std::atoi(argv[3]));
    } else if (orden == "editar") {
      int k = std::atoi(argv[3]);
      t.open();
      int i = 0;
      for (t.first(); !t.eof(); t.next(), ++i) {
        if (i % k != 0) continue;
        t.edit();
        t.setString("COD", codigo(i * 5 + 1));
        t.setInteger("HORA", -i);
      }
    } else if (orden == "vaciar") {
      t.emptyTable();
      return 0;
    } else if (orden == "leer") {
      t.setIndexName(argv[3]);
      t.open();
      for (t.first(); !t.eof(); t.next()) std::cout << t.recNo() << '\n';
    } else {
      return 2;
    }
    t.close();
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
