// Writes the outside download engine's payload (the extractor, its library and the engine's
// archive) into the temporary folder and starts the extraction, without waiting for it.
#pragma once

int UnpackDownloadEngine();
