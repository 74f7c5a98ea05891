#include "documentview.h"

// Out of line so the interface's vtable has one home.
DocumentView::~DocumentView() = default;
