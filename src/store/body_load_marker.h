#pragma once
// A body that brings the program down while it loads (the rich-text control can abort the
// process on some documents) must not do so at every start. Before a body is loaded, the
// note's number is written to a small file in the data folder, and it is cleared once the
// load returns; a start that finds it left behind sets that note aside: its body is neither
// loaded nor ever written again, until the user deletes the note. The same file lists the
// notes set aside, so they stay aside at later starts.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/file_system.h"

namespace velumbrino {

inline constexpr const char* kLoadMarkerFileName = "carregando.dat";

class BodyLoadMarker {
 public:
  BodyLoadMarker(FileSystem& files, const std::string& data_folder_path);

  // Reads what earlier runs left (once, before the first load). A note whose load never
  // returned joins the set-aside notes and is returned; the file is rewritten at once.
  std::optional<int> ReadAtStart();
  bool IsSetAside(int number) const { return set_aside_.count(number) > 0; }

  // Written (atomically) right before the note's body is loaded; false when it could not be
  // written (the load goes ahead anyway).
  bool BeginLoad(int number);
  // The load returned, whatever its result; also writes again a record an earlier write could
  // not change (held open by another program).
  void EndLoad();
  // The note was deleted, or its body file is gone: it loads normally again.
  void Forget(int number);
  // Forgets every set-aside note that is not among `numbers` (the notes that exist).
  void KeepOnly(const std::vector<int>& numbers);

  const std::string& Path() const { return path_; }

 private:
  bool Write();
  bool WriteNow();

  FileSystem& files_;
  std::string path_;
  std::optional<int> loading_;
  std::set<int> set_aside_;
  bool unwritten_ = false;  // the file may not hold what is above
};

// The file's contents (Windows-1252 text, CR LF lines "carregando=N" and "separada=N").
struct LoadMarkerContents {
  std::optional<int> loading;
  std::set<int> set_aside;
};
LoadMarkerContents ParseLoadMarker(const std::string& bytes);
std::string FormatLoadMarker(const LoadMarkerContents& contents);

// The line shown in place of a set-aside body, and the one-time notice of it (UTF-8).
std::string SetAsideBodyText(const std::string& body_file_name);
// The line shown in place of a body that could not be read (UTF-8).
std::string UnreadableBodyText(const std::string& body_file_name);
std::string SetAsideNotice(const std::string& note_title, const std::string& body_path);

}  // namespace velumbrino
