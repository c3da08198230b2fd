#pragma once
// Makes the standard control and component classes known to the form reader.
namespace ui {

// Idempotent; the form reader calls it before reading.
void RegisterStandardClasses();

}  // namespace ui
