// write_sample PATH [exclusive]: creates, through the table engine, the table that the
// cross-check reads back with other dBase readers (check_engine_tables.py holds the
// values it expects). "exclusive" opens the table exclusively, where the engine writes
// appended records in batches instead of one by one. Exit code 0 when it was written.

#include <exception>
#include <iostream>
#include <string_view>

#include "dbf/Table.h"

int main(int argc, char** argv) {
  const bool exclusive = argc == 3 && std::string_view(argv[2]) == "exclusive";
  if (argc != 2 && !exclusive) {
    std::cerr << "uso: write_sample TABLA.DBF [exclusive]\n";
    return 2;
  }
  try {
    dbf::Table t;
    t.setTableName(argv[1]);
    t.fieldDefs() = {{"Nombre", dbf::FieldKind::String, 40},
                     {"Materia", dbf::FieldKind::String, 12},
                     {"Curso", dbf::FieldKind::Integer},
                     {"Horas", dbf::FieldKind::Float},
                     {"Activo", dbf::FieldKind::Boolean}};
    t.createTable();
    t.setExclusive(exclusive);
    t.open();

    t.append();
    t.setString("Nombre", "Educació Física");
    t.setString("Materia", "Año Çé");
    t.setInteger("Curso", 1);
    t.setFloat("Horas", 3.5);
    t.setBoolean("Activo", true);
    t.post();

    // 45 characters into a 40-character field: the first 40 are kept.
    t.append();
    t.setString("Nombre", "Departament de Ciències Socials: Matemàtiques");
    t.setString("Materia", "Matemàtiques");
    t.setInteger("Curso", -2147483648LL);
    t.setFloat("Horas", -1234.5678);
    t.setBoolean("Activo", false);
    t.post();

    t.append();
    t.setString("Nombre", "Col·legi Sant Vicent €");
    t.setInteger("Curso", 99999999999LL);
    t.setFloat("Horas", 2.71828);
    t.setBoolean("Activo", true);
    t.post();

    // Only the name: the other fields stay empty.
    t.append();
    t.setString("Nombre", "Òscar");
    t.post();

    t.append();
    t.setString("Nombre", "x");
    t.setFloat("Horas", 1000000000000.25);
    t.post();

    t.close();
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
