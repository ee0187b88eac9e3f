# Sourced: package lists that hold whatever state the mirror is in.
# A mirror caught mid-sync may fail one suite's list ("File has unexpected size ... Mirror sync in
# progress?"). apt then keeps that suite's lists of other architectures, or old ones, beside the fresh
# lists of the other suites, and a Multi-Arch "same" library finds candidates of different versions on
# its two architectures, so nothing that needs both can be installed. Here a suite whose lists did not
# all arrive is left out of this run's apt commands, through a sources folder of our own; the machine's
# own sources stay as they are.
tavrin_apt_options=()
tavrin_apt_dir=""

# Refreshes the lists of the system at ROOT ("/" or a chroot folder), tried three times. Fills
# tavrin_apt_options with what this run's apt commands there take (empty when every list arrived),
# and says in one line each which repository it leaves out.
tavrin_apt_update() { # [ROOT]
    local root="${1:-/}" attempt status
    tavrin_apt_options=()
    tavrin_apt_dir="$(mktemp -d "${root%/}/tmp/tavrin-apt.XXXXXX")"
    for attempt in 1 2 3; do
        status=0
        tavrin_apt_at "$root" apt-get update -q >"$tavrin_apt_dir/update.log" 2>&1 || status=$?
        tavrin_apt_failed_lists <"$tavrin_apt_dir/update.log" >"$tavrin_apt_dir/failed"
        [ "$status" = 0 ] && [ ! -s "$tavrin_apt_dir/failed" ] && return 0
    done
    if [ ! -s "$tavrin_apt_dir/failed" ]; then
        echo "apt: updating the package lists failed; going on with the lists there are:" >&2
        tail -n 5 "$tavrin_apt_dir/update.log" >&2
        return 0
    fi
    local sources="$tavrin_apt_dir/sources" etc="$root/etc/apt" file
    mkdir -p "$sources/sources.list.d"
    if [ -f "$etc/sources.list" ]; then
        tavrin_apt_filter_sources list "$tavrin_apt_dir/failed" "$etc/sources.list" >"$sources/sources.list" \
            2>>"$tavrin_apt_dir/left-out"
    else
        : >"$sources/sources.list"
    fi
    for file in "$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        tavrin_apt_filter_sources "${file##*.}" "$tavrin_apt_dir/failed" "$file" \
            >"$sources/sources.list.d/${file##*/}" 2>>"$tavrin_apt_dir/left-out"
    done
    sort -u "$tavrin_apt_dir/left-out" >&2
    local inside="${sources#"${root%/}"}"
    tavrin_apt_options=(-o "Dir::Etc::SourceList=$inside/sources.list"
        -o "Dir::Etc::SourceParts=$inside/sources.list.d"
        -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
}

# Installs packages at ROOT from the suites whose lists arrived.
tavrin_apt_install() { # ROOT package ...
    local root="$1" status=0
    shift
    DEBIAN_FRONTEND=noninteractive tavrin_apt_at "$root" apt-get "${tavrin_apt_options[@]}" install -y -q \
        --no-install-recommends "$@" || status=$?
    if [ "$status" != 0 ] && [ ${#tavrin_apt_options[@]} -gt 0 ]; then
        echo "apt: the packages cannot be installed from the suites that arrived (the machine's own" \
            "may be newer); try again once the mirror has finished its sync" >&2
    fi
    return "$status"
}

# Runs a command in the system at ROOT.
tavrin_apt_at() { # ROOT command ...
    local root="$1"
    shift
    if [ "$root" = / ]; then "$@"; else chroot "$root" "$@"; fi
}

# Removes what tavrin_apt_update made.
tavrin_apt_done() {
    [ -z "${tavrin_apt_dir:-}" ] || rm -rf "$tavrin_apt_dir"
    tavrin_apt_dir=""
    tavrin_apt_options=()
}

# The addresses of the lists an "apt-get update" log says it failed to fetch, one a line.
tavrin_apt_failed_lists() {
    sed -n -e 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' \
        -e "s/^[EW]: The repository '\([^ ]*\) \([^ ]*\) \(In\)\{0,1\}Release' .*/\1\/dists\/\2\/InRelease/p" |
        sort -u
}

# Prints a sources file without the suites whose lists failed: FORMAT is "list" (one-line entries) or
# "sources" (deb822 stanzas). A suite is left out for the type of entry the failed list belongs to: a
# release file takes both types, a source list "deb-src", any other list "deb". Each suite left out is
# named on standard error.
tavrin_apt_filter_sources() { # FORMAT FAILED-LIST-FILE SOURCES-FILE
    awk -v format="$1" '
        function trim(uri) { sub(/\/+$/, "", uri); return uri }
        # True when a list of the suite failed for entries of this type.
        function failed(type, uri, suite,   i, prefix, rest, kind) {
            uri = trim(uri)
            prefix = suite ~ /\/$/ ? uri "/" suite : uri "/dists/" suite "/"
            for (i = 1; i <= nfailed; i++) {
                if (index(failedurl[i], prefix) != 1) continue
                rest = substr(failedurl[i], length(prefix) + 1)
                kind = rest ~ /^(In)?Release(\.gpg)?$/ ? "any" : rest ~ /(^|\/)Sources/ ? "deb-src" : "deb"
                if (kind == "any" || kind == type) {
                    if (!((type, uri, suite) in said))
                        printf "apt: the lists of %s %s (%s) did not all arrive; this run leaves them out\n",
                            uri, suite, type > "/dev/stderr"
                    said[type, uri, suite] = 1
                    return 1
                }
            }
            return 0
        }
        function oneline(   i, type, uri, suite) {
            if ($1 !~ /^deb(-src)?$/) { print; return }
            type = $1; i = 2
            if ($i ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
            uri = $i; suite = $(i + 1)
            if (!failed(type, uri, suite)) print
        }
        function value(line) { sub(/^[^:]*:[ \t]*/, "", line); sub(/[ \t]+$/, "", line); return line }
        # One stanza per type and address, with the suites that are left.
        function stanza(   i, t, u, s, ntypes, nuris, nsuites, types, uris, suites, kept, any, name) {
            if (nlines == 0) return
            ntypes = nuris = nsuites = 0
            for (i = 1; i <= nlines; i++) {
                name = tolower(lines[i]); sub(/:.*/, "", name)
                if (name == "types") ntypes = split(value(lines[i]), types, /[ \t]+/)
                if (name == "uris") nuris = split(value(lines[i]), uris, /[ \t]+/)
                if (name == "suites") nsuites = split(value(lines[i]), suites, /[ \t]+/)
            }
            any = 0
            for (t = 1; t <= ntypes; t++) for (u = 1; u <= nuris; u++) for (s = 1; s <= nsuites; s++)
                if (failed(types[t], uris[u], suites[s])) any = 1
            if (!any) {
                for (i = 1; i <= nlines; i++) print lines[i]
                print ""
            } else {
                for (t = 1; t <= ntypes; t++) for (u = 1; u <= nuris; u++) {
                    kept = ""
                    for (s = 1; s <= nsuites; s++)
                        if (!failed(types[t], uris[u], suites[s])) kept = kept " " suites[s]
                    if (kept == "") continue
                    for (i = 1; i <= nlines; i++) {
                        name = tolower(lines[i]); sub(/:.*/, "", name)
                        if (name == "types") print "Types: " types[t]
                        else if (name == "uris") print "URIs: " uris[u]
                        else if (name == "suites") print "Suites:" kept
                        else print lines[i]
                    }
                    print ""
                }
            }
            nlines = 0
        }
        FNR == NR { if ($0 != "") failedurl[++nfailed] = $0; next }
        format == "list" { oneline(); next }
        /^[ \t]*$/ { stanza(); next }
        { lines[++nlines] = $0 }
        END { if (format != "list") stanza() }
    ' "$2" "$3"
}
