// TFileOrigin: what a document window knows of the file its text came from.
// The load path fills it; every save that writes the document's own file
// brings it up to date. Facts about that file belong here.
#pragma once

#include <string>

#include "editor/filereplace.h"
#include "encoding/filetext.h"

// Where a save writes, and what it does with a link standing there.
struct TWriteTarget {
  std::string Path;
  TLinkPolicy Links = TLinkPolicy::Follow;
};

struct TFileOrigin {
  TEncoding Encoding = TEncoding::ShiftJis;  // as read or last written
  bool Bom = false;                          // the file starts with a byte-order mark
  TLineEnd LineEnd = TLineEnd::CrLf;         // the style most of its lines use
  bool CutAtNul = false;   // the text stops at a NUL of the file: never written over it
  TFileIdentity Identity;  // at load or last save; not Exists for a new document

  // Someone else changed, replaced or removed-and-linked the file since.
  bool ChangedOnDisk(const TFileIdentity& now) const {
    return (now.Exists || now.IsLink) && now != Identity;
  }

  // For a save to the document's own path: a link is written through only
  // when it stood there, naming the same file, at load or last save.
  // Otherwise the path itself is replaced, whatever stands there now, so
  // nothing is written through a link that someone else put in its place.
  TWriteTarget SaveTarget(const std::string& path, const TFileIdentity& now) const {
    if (Identity.IsLink && now.IsLink && now.Target == Identity.Target) {
      return {now.Target, TLinkPolicy::Replace};
    }
    return {path, TLinkPolicy::Replace};
  }
};
