#pragma once

// The program's name, version and picture for every window it opens, the first start's
// messages and dialogs among them. main() calls it right after creating the application.
namespace ProgramIdentity {
void apply();
}
