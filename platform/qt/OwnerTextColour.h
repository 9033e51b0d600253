#pragma once

// Private to the platform library: the text colour an edit's owner chooses, for edit controls and
// the edit field of combo boxes.

class QLineEdit;

namespace platform
{

// From now on, each time the line edit paints while enabled, the parent of its control is asked
// for the text colour (WM_CTLCOLOREDIT) and the text is drawn in it; CLR_DEFAULT gives the
// toolkit's own. A disabled control keeps its grey.
void useOwnerTextColour(QLineEdit& edit);

} // namespace platform
