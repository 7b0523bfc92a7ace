#!/bin/sh
# copyfiles.sh SOURCE TARGET
#
# Run by Swapover from the installation folder as "sh copyfiles.sh STAGING
# INSTALL": copies everything under SOURCE over TARGET, keeping the tree.
# Folders are merged, files replaced, nothing in TARGET is deleted. Each file
# is copied beside its destination first and then renamed over it, so a
# program that is running (Swapover itself) can be replaced and no file is
# ever left half-written. Links are copied as links; nothing is ever
# written through a link (or a file) standing where a folder belongs: that
# entry and everything below it are refused. The top-level
# ".haulmoor-staging" mark and ".gearloft-manifest" are not copied. Any name works: blanks, Chinese,
# leading dashes, line breaks. Exit status 0 only when every entry was copied; otherwise 1
# (2 for a wrong command line), with a line on standard error for each
# failure. Entries that fail do not stop the others, but then every change
# is undone at the end (replaced files come back, new files and folders
# go), so that a failed upgrade leaves the old version whole rather than a
# mix of both. The undo record is kept in TARGET/.copyfiles-undo-PID while
# the script runs.

if [ "$#" -ne 2 ]; then
    echo "usage: copyfiles.sh SOURCE TARGET" >&2
    exit 2
fi
source_dir=$1
target_dir=$2
if [ ! -d "$source_dir" ]; then
    echo "copyfiles.sh: source folder not found: $source_dir" >&2
    exit 1
fi
if [ ! -d "$target_dir" ]; then
    echo "copyfiles.sh: target folder not found: $target_dir" >&2
    exit 1
fi
# Relative names from here on; the target must not depend on the source's
# folder, so make it absolute first.
case $target_dir in
/*) ;;
*) target_dir=$(pwd -P)/$target_dir ;;
esac
cd -- "$source_dir" || exit 1

# Each change is recorded as it is made, numbered in order: N.kind ("d" a
# new folder, "n" a new file, "r" a replaced file whose old version is
# N.old, a hard link to it) and N.path (the name, byte for byte).
undo_dir=$target_dir/.copyfiles-undo-$$
if ! mkdir -m 700 -- "$undo_dir"; then
    echo "copyfiles.sh: cannot make $undo_dir" >&2
    exit 1
fi
echo 0 >"$undo_dir/count"

# find lists a folder before what it holds. It runs the helper below on
# batches of names and fails when any batch failed.
find . -mindepth 1 -exec sh -c '
target_dir=$1
undo_dir=$2
shift 2
status=0
count=$(cat "$undo_dir/count")
record() {
    printf "%s" "$1" >"$undo_dir/$count.kind" && printf "%s" "$2" >"$undo_dir/$count.path" &&
        count=$((count + 1))
}
for entry do
    # The staging mark only says the staging is complete, and the manifest
    # is the installation'"'"'s own record of its files: neither is copied.
    if [ "$entry" = ./.haulmoor-staging ] || [ "$entry" = ./.gearloft-manifest ]; then
        continue
    fi
    destination=$target_dir/${entry#./}
    # A link or file standing where a folder of the entry'"'"'s path belongs
    # was refused when that folder came; nothing goes through it.
    rest=${entry#./}
    parent=$target_dir
    blocked=
    while :; do
        case $rest in
        */*) ;;
        *) break ;;
        esac
        parent=$parent/${rest%%/*}
        rest=${rest#*/}
        if [ -L "$parent" ] || [ ! -d "$parent" ]; then
            blocked=$parent
            break
        fi
    done
    if [ -n "$blocked" ]; then
        echo "copyfiles.sh: not copied, no folder at $blocked: ${entry#./}" >&2
        status=1
        continue
    fi
    if [ -d "$entry" ] && [ ! -L "$entry" ]; then
        if [ -d "$destination" ] && [ ! -L "$destination" ]; then
            continue
        fi
        if [ -e "$destination" ] || [ -L "$destination" ]; then
            echo "copyfiles.sh: not a folder: $destination" >&2
            status=1
        elif ! mkdir -- "$destination"; then
            status=1
        else
            record d "${entry#./}"
        fi
        continue
    fi
    if [ -d "$destination" ] && [ ! -L "$destination" ]; then
        echo "copyfiles.sh: a folder stands where a file goes: $destination" >&2
        status=1
        continue
    fi
    if [ ! -f "$entry" ] && [ ! -L "$entry" ]; then
        echo "copyfiles.sh: neither file nor folder: ${entry#./}" >&2
        status=1
        continue
    fi
    # -T: a link standing at the destination is replaced, never followed.
    partial=${destination%/*}/.copyfiles-$$.part
    # The old version is kept (a second name for it) before it is replaced.
    if [ -e "$destination" ] || [ -L "$destination" ]; then
        kind=r
        ln -P -- "$destination" "$undo_dir/$count.old" || kind=
    else
        kind=n
    fi
    # A program keeps its execute permission even when the staged copy lost
    # it (archives made on Windows carry no modes).
    if [ -n "$kind" ] && cp -P -- "$entry" "$partial" &&
        { [ -L "$partial" ] || [ ! -x "$destination" ] || [ -d "$destination" ] || chmod +x -- "$partial"; } &&
        mv -f -T -- "$partial" "$destination"; then
        record "$kind" "${entry#./}"
    else
        rm -f -- "$undo_dir/$count.old"
        rm -f -- "$partial"
        echo "copyfiles.sh: could not copy: ${entry#./}" >&2
        status=1
    fi
done
echo "$count" >"$undo_dir/count"
exit $status
' copyfiles-entry "$target_dir" "$undo_dir" {} +
copied=$?

if [ "$copied" -ne 0 ]; then
    # Undone newest first, so a folder is empty again when its turn comes.
    count=$(cat "$undo_dir/count")
    while [ "$count" -gt 0 ]; do
        count=$((count - 1))
        kind=$(cat "$undo_dir/$count.kind")
        # The x keeps trailing line breaks of a name from the shell.
        name=$(cat "$undo_dir/$count.path"; echo x)
        name=$target_dir/${name%x}
        case $kind in
        r) mv -f -T -- "$undo_dir/$count.old" "$name" ;;
        n) rm -f -- "$name" ;;
        d) rmdir -- "$name" ;;
        esac || echo "copyfiles.sh: could not undo: $name" >&2
    done
    echo "copyfiles.sh: nothing of the new version kept" >&2
fi
rm -rf -- "$undo_dir"
exit "$copied"
