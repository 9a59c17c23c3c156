#include "ui/main_window_adapters.h"

namespace tolvan {
namespace {

// The remembered values that are input boxes.
std::optional<InputBox> BoxOf(Remembered value) {
  switch (value) {
    case Remembered::Freq:
      return InputBox::Freq;
    case Remembered::Zo:
      return InputBox::Zo;
    case Remembered::Zm:
      return InputBox::Zm;
    case Remembered::VF0:
      return InputBox::VF0;
    case Remembered::VF1:
      return InputBox::VF1;
    case Remembered::Xl:
      return InputBox::Xl;
    case Remembered::Rl:
      return InputBox::Rl;
    default:
      return std::nullopt;
  }
}

}  // namespace

QLineEdit* MainWindowBoxes::Box(InputBox box) const {
  switch (box) {
    case InputBox::Freq:
      return window_.Freq[0];
    case InputBox::Zo:
      return window_.Zo[0];
    case InputBox::Zm:
      return window_.Zm[0];
    case InputBox::VF0:
      return window_.VF[0];
    case InputBox::VF1:
      return window_.VF[1];
    case InputBox::Xl:
      return window_.Xl[0];
    case InputBox::Rl:
      return window_.Rl[0];
  }
  return window_.Freq[0];
}

std::string MainWindowMemory::Text(Remembered value) const {
  if (const auto box = BoxOf(value)) return boxes_.Text(*box);
  if (const auto* cable = Cable(value)) return cable->value_or("");
  return window_.ReportFolder;
}

void MainWindowMemory::SetText(Remembered value, const std::string& text) {
  if (const auto box = BoxOf(value)) {
    boxes_.SetText(*box, text);
  } else if (auto* cable = Cable(value)) {
    *cable = text;
  } else {
    window_.ReportFolder = text;
  }
}

std::optional<std::string>* MainWindowMemory::Cable(Remembered value) const {
  if (value == Remembered::FeedCable) return &window_.shared_.FeedCable;
  if (value == Remembered::MatchCable) return &window_.shared_.MatchCable;
  return nullptr;
}

std::optional<std::int32_t>* MainWindowMemory::SwrPlace(Remembered value) const {
  std::array<std::optional<std::int32_t>, 4>& place = window_.shared_.SwrPlace;
  switch (value) {
    case Remembered::SwrLeft:
      return &place[kSwrLeft];
    case Remembered::SwrTop:
      return &place[kSwrTop];
    case Remembered::SwrWidth:
      return &place[kSwrWidth];
    case Remembered::SwrHeight:
      return &place[kSwrHeight];
    default:
      return nullptr;
  }
}

std::int32_t MainWindowMemory::Position(Remembered value) const {
  if (const auto* place = SwrPlace(value)) return place->value_or(0);
  return Edge(value);
}

void MainWindowMemory::SetPosition(Remembered value, std::int32_t twips) {
  if (auto* place = SwrPlace(value)) {
    *place = twips;
  } else {
    Edge(value) = twips;
  }
}

bool MainWindowMemory::Known(Remembered value) const {
  if (const auto* cable = Cable(value)) return cable->has_value();
  const auto* place = SwrPlace(value);
  return place == nullptr || place->has_value();
}

std::int32_t& MainWindowMemory::Edge(Remembered value) const {
  ModTolvan& shared = window_.shared_;
  switch (value) {
    case Remembered::CommentsLeft:
      return shared.CommentsPos[0];
    case Remembered::CommentsTop:
      return shared.CommentsPos[1];
    case Remembered::InfoLeft:
      return shared.InfoPos[0];
    case Remembered::InfoTop:
      return shared.InfoPos[1];
    case Remembered::MainLeft:
      return shared.MainPos[0];
    case Remembered::MainTop:
    default:  // only the six edges are asked for as positions
      return shared.MainPos[1];
  }
}

}  // namespace tolvan
