#include "bank/exam_blueprint.h"

namespace pathwick {

// Placeholder.
int blueprintItemCount() { return 0; }
std::string blueprintItem(int) { return {}; }

}  // namespace pathwick
