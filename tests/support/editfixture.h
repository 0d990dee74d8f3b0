// A control on a fake host, sized like a small window, with helpers to put
// text in and read rows out.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/afedit.h"
#include "editor/memstream.h"
#include "fakehost.h"

class EditFixture : public ::testing::Test {
 protected:
  EditFixture() : edit(host) {
    edit.WMSize(640, 480);
    edit.Loaded();
  }

  void Load(std::string_view text, int options = 0) {
    TMemoryInStream in(text);
    edit.LoadFromStream(in, options);
  }

  std::string Save(int options = 0, TLineEnd lineEnd = TLineEnd::CrLf) const {
    std::ostringstream out;
    edit.SaveToStream(out, options, lineEnd);
    return out.str();
  }

  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int r = 0; r < edit.RowCount(); ++r) rows.emplace_back(edit.GetRow(r));
    return rows;
  }

  // Wrapping at `width` columns with the given options on top of auto-format.
  void WrapAt(int width, TAFEditOptions extra = {}) {
    TAFEditOptions o = extra;
    o.Include(TAFEditOption::aoAutoFormat);
    edit.SetOptions(o);
    edit.SetDefWrapPos(width);
  }

  FakeEditHost host;
  TCustomAFEdit edit;
};
