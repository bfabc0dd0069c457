// What a run reports its progress to: the dialog's progress bar in the editor,
// a bar on the terminal in the batch command, nothing in tests.
#pragma once

namespace rv {

class CProgress {
 public:
  virtual ~CProgress() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  virtual int Position() const = 0;
  // Lets the user interface handle what is pending (repaints, the cancel click).
  virtual void ProcessEvents() {}
};

}  // namespace rv
