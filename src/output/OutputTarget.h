#pragma once

#include <QString>

namespace output {

// The French refusal when outputPath is the layout file itself (the same file after
// resolving links, or a hard link to it), which an export would destroy; empty when
// it is another file or the layout has no file yet.
QString refusalToOverwriteLayout(const QString& layoutPath, const QString& outputPath);

} // namespace output
