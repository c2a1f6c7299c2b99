#include "dialogs/note_list.h"

#include <algorithm>

#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

NoteListModel ListOf(NoteCollection& notes, bool select_visible) {
  NoteListModel model;
  for (int position = 1; position <= notes.Count(); ++position) {
    NoteWindow& window = notes.At(position);
    model.entries.push_back(NoteListEntry(window.Title()));
    model.selected.push_back(select_visible && window.Visible());
  }
  return model;
}

}  // namespace

std::string NoteListEntry(std::string_view title) {
  return Trim(title).empty() ? std::string(TXT_NOTE_LIST_BLANK_TITLE) : std::string(title);
}

NoteListModel ShowNotesList(NoteCollection& notes) { return ListOf(notes, true); }
NoteListModel DeleteNotesList(NoteCollection& notes) { return ListOf(notes, false); }

std::vector<VisibilityStep> ShowSelectedPlan(const std::vector<bool>& selected) {
  std::vector<VisibilityStep> plan;
  for (std::size_t k = selected.size(); k > 0; --k) {
    plan.push_back({static_cast<int>(k), selected[k - 1]});
  }
  return plan;
}

std::vector<VisibilityStep> ShowAllPlan(int count) {
  return ShowSelectedPlan(std::vector<bool>(static_cast<std::size_t>(std::max(count, 0)), true));
}

void ApplyVisibilityPlan(NoteCollection& notes, const std::vector<VisibilityStep>& plan,
                         const std::function<void()>& between_steps) {
  for (const VisibilityStep& step : plan) {
    if (step.position < 1 || step.position > notes.Count()) continue;
    notes.At(step.position).SetVisible(step.visible);
    if (between_steps) between_steps();
  }
}

std::vector<int> DeleteSelectedPlan(NoteCollection& notes, const std::vector<bool>& selected) {
  std::vector<int> numbers;
  const int last = std::min(static_cast<int>(selected.size()), notes.Count());
  for (int position = last; position >= 1; --position) {
    if (!selected[static_cast<std::size_t>(position - 1)]) continue;
    const long long number = LeadingNumber(notes.At(position).Tag());
    if (number > 0) numbers.push_back(static_cast<int>(number));
  }
  return numbers;
}

}  // namespace velumbrino
