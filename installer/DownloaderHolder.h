// The downloader of the process, created at the first download and kept for every later attempt,
// with the engine kind that the last version answer named (0 own downloader, 1 outside engine).
#pragma once

class BaseDownloader;

struct DownloaderHolder {
    BaseDownloader* downloader = nullptr;
    int engineKind = 0;
};
