#pragma once
// Production index files (.MDX) of dBase IV tables: one tag per index, each a B-tree of
// keys in key order (equal keys in record-number order) over every record of the table.
// The engine keeps its orderings in memory; it writes the .MDX so that other dBase
// programs find the indexes that the table's header announces, and reads its tag list to
// know which orderings a table has.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dbf/DbfLayout.h"

namespace dbf {

struct MdxTag {
  std::string name;   // tag name, as the index definition names it
  std::string field;  // the field it orders by (its key expression)
};

// The .MDX beside a table's data file, found whatever the case of its extension; the
// name to create when there is none.
std::string mdxPathFor(const std::string& dbfNativePath);

// The tags of an .MDX file, or nothing when it is missing or unreadable.
std::optional<std::vector<MdxTag>> readMdxTags(const std::string& mdxNativePath);

// One key of a tag as the index stores it: the field's bytes for character fields, the
// BCD form for numbers, the Julian day for dates.
std::string mdxKey(const Layout& t, const Field& f, const char* record);

// Writes the whole .MDX for these tags from the table's records. `records(i)` gives the
// bytes of record i (1-based), deleted records included, as dBase keeps them.
template <class RecordSource>
void writeMdx(const std::string& mdxNativePath, const std::string& tableBaseName, const Layout& t,
              const std::vector<MdxTag>& tags, std::uint32_t count, RecordSource&& records);

// Lower-level form: the keys of each tag, one per record in record order.
void writeMdxKeys(const std::string& mdxNativePath, const std::string& tableBaseName,
                  const Layout& t, const std::vector<MdxTag>& tags,
                  const std::vector<std::vector<std::string>>& keysByTag);

template <class RecordSource>
void writeMdx(const std::string& mdxNativePath, const std::string& tableBaseName, const Layout& t,
              const std::vector<MdxTag>& tags, std::uint32_t count, RecordSource&& records) {
  std::vector<std::vector<std::string>> keys(tags.size());
  std::vector<const Field*> fields;
  for (const MdxTag& tag : tags)
    fields.push_back(&t.fields[static_cast<std::size_t>(t.find(tag.field))]);
  for (auto& k : keys) k.reserve(count);
  for (std::uint32_t r = 1; r <= count; ++r) {
    const char* rec = records(r);
    for (std::size_t i = 0; i < tags.size(); ++i) keys[i].push_back(mdxKey(t, *fields[i], rec));
  }
  writeMdxKeys(mdxNativePath, tableBaseName, t, tags, keys);
}

}  // namespace dbf
