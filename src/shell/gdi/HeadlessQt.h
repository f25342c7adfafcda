#pragma once

namespace tavelo {

// Qt measures and draws without a display when none is asked for. Qt wants a private runtime
// folder and says so on standard error when there is none; this gives it the one it would
// take. Call before the application object is made.
void prepareHeadlessQt();

}  // namespace tavelo
