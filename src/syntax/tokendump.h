// A readable dump of a store's colouring: one line per document line, "L<n> <end state>" and the
// runs of equal style as " <style>:<length>" over the tab-expanded text, or with `withText` as
// " <style>[<text of the run>]" (on lines without tabs).
#pragma once

#include <ostream>

namespace quorel {

class TCustomMemoSource;

void WriteTokenDump(TCustomMemoSource& store, std::ostream& out, bool withText = false);

}  // namespace quorel
