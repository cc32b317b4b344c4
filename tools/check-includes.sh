#!/bin/sh
# Fails when a toolkit source includes a header of a layer above its own. The layers, lowest first:
# the host seam (toolkit/*.h), screen, text, graphics, the headless host, app. Usage:
#   tools/check-includes.sh [SOURCE_ROOT]
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2

# Upward includes that are accepted for now, as "including-file included-header"; at most two.
allowed=""

rank() {
    case "$1" in
        toolkit/screen/*) echo 1 ;;
        toolkit/text/*) echo 2 ;;
        toolkit/graphics/*) echo 3 ;;
        toolkit/headless/*) echo 4 ;;
        toolkit/app/*) echo 5 ;;
        toolkit/*) echo 0 ;;
        *) echo -1 ;;
    esac
}

status=0
for file in $(find toolkit -name '*.h' -o -name '*.cpp' | sort); do
    own=$(rank "$file")
    for header in $(sed -n 's/^#include "\(toolkit\/[^"]*\)".*/\1/p' "$file"); do
        if [ "$(rank "$header")" -gt "$own" ]; then
            case " $allowed " in
                *" $file $header "*) ;;
                *)
                    echo "$file: includes $header from a layer above" >&2
                    status=1
                    ;;
            esac
        fi
    done
done
exit $status
