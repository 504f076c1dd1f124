#!/usr/bin/env bash
# Seeds the faults of faults.txt (beside this script) into a copy of the code one at a time, builds the copy,
# runs the tests and records which tests fail, that is, which tests catch the fault. A test that
# catches no fault that others miss is worth little; a fault that nothing catches shows a gap.
#
#   tests/faults/seed-faults.sh [--e2e] [--check] [FAULT_ID...]
#
#   --check   only check that every fault's text is found, once, where the list says
#   --e2e     also run the end-to-end tests (E2E_SKIP, a regular expression, leaves some out;
#             by default the ones that check no picture or sound: installing, a missing
#             or lost display)
#
# The copy and its build live in FAULT_DIR (default build-faults); the working tree is never
# changed. Prints one line per fault, "ID<tab>unit tests<tab>e2e tests" ("-" for none), and
# appends it to FAULT_DIR/results.tsv. A fault that does not build or that no test catches says
# so. Needs perl and the build tools of the project.
set -euo pipefail

SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
FAULTS=$SOURCE/tests/faults/faults.txt
FAULT_DIR=$(realpath -m "${FAULT_DIR:-$SOURCE/build-faults}")
COPY=$FAULT_DIR/src
BUILD=$FAULT_DIR/build
E2E_SKIP=${E2E_SKIP:-installed|no_display}
check_only=0
e2e=0
wanted=()
for argument in "$@"; do
    case $argument in
    --check) check_only=1 ;;
    --e2e) e2e=1 ;;
    -*) echo "usage: $0 [--e2e] [--check] [FAULT_ID...]" >&2 && exit 2 ;;
    *) wanted+=("$argument") ;;
    esac
done

# Applies fault ID to the files under ROOT, or with "check" only checks that it would apply.
# Prints the files it changed.
apply_fault() { # ROOT ID [check]
    perl -e '
        my ($root, $id, $check) = @ARGV;
        open my $list, "<", "'"$FAULTS"'" or die "no fault list\n";
        my ($in, $file, @edits, $edit) = (0);
        while (<$list>) {
            chomp;
            if (/^fault (\S+)/) { last if $in; $in = $1 eq $id; next }
            next unless $in;
            if (/^file (.+)$/) { $file = $1; next }
            if (/^(from|to)(?: (.*))?$/) {
                my ($kind, $text) = ($1, $2 // "");
                push @edits, $edit = { file => $file, from => [], to => [] }
                    if !$edit || ($kind eq "from" && @{ $edit->{to} });
                push @{ $edit->{$kind} }, $text;
            }
        }
        die "no fault $id\n" unless @edits;
        my %changed;
        for my $e (@edits) {
            my $path = "$root/$e->{file}";
            open my $in, "<", $path or die "$id: no file $e->{file}\n";
            local $/; my $code = <$in>; close $in;
            my $from = join "\n", @{ $e->{from} };
            my $to = join "\n", @{ $e->{to} };
            my $count = () = $code =~ /\Q$from\E/g;
            die "$id: text found $count times in $e->{file}: $e->{from}[0]\n" if $count != 1;
            next if $check;
            $code =~ s/\Q$from\E/$to/;
            open my $out, ">", $path or die; print $out $code; close $out;
            $changed{$e->{file}} = 1;
        }
        print "$_\n" for sort keys %changed;
    ' "$@"
}

fault_ids() { sed -n 's/^fault \([^ ]*\).*/\1/p' "$FAULTS"; }
((${#wanted[@]})) || mapfile -t wanted < <(fault_ids)

if ((check_only)); then
    status=0
    for id in "${wanted[@]}"; do apply_fault "$SOURCE" "$id" check || status=1; done
    ((status)) || echo "all ${#wanted[@]} faults apply"
    exit $status
fi

# The copy: every file git knows or would add (outside git, every file but the build folders),
# rewritten only where it differs, so the build stays incremental between runs.
mkdir -p "$COPY" "$BUILD"
{ (cd "$SOURCE" && git ls-files -co --exclude-standard 2>/dev/null) ||
    (cd "$SOURCE" && find . -type f -not -path './build*' | cut -c3-); } | LC_ALL=C sort >"$FAULT_DIR/files"
while read -r file; do
    [ -f "$SOURCE/$file" ] || continue
    cmp -s "$SOURCE/$file" "$COPY/$file" 2>/dev/null && continue
    mkdir -p "$(dirname "$COPY/$file")"
    cp "$SOURCE/$file" "$COPY/$file"
done <"$FAULT_DIR/files"
(cd "$COPY" && find . -type f | cut -c3- | LC_ALL=C sort | LC_ALL=C comm -23 - "$FAULT_DIR/files" |
    xargs -r -d "\n" rm --)
cmake -S "$COPY" -B "$BUILD" -DTINYARCADE_WERROR=OFF >"$FAULT_DIR/configure.log" 2>&1 ||
    { echo "the copy does not configure: $FAULT_DIR/configure.log" >&2 && exit 1; }

changed=()
restore() {
    local file
    # A fresh time stamp makes the next build compile the file again.
    for file in "${changed[@]}"; do cp "$SOURCE/$file" "$COPY/$file" && touch "$COPY/$file"; done
    changed=()
}
trap restore EXIT

# Runs the tests of LABEL (minus those matching SKIP) and prints the names of those that failed.
failing() { # LABEL [SKIP]
    rm -f "$BUILD/Testing/Temporary/LastTestsFailed.log"
    ctest --test-dir "$BUILD" -L "$1" ${2:+-E "$2"} --timeout 120 -j"$3" \
        >"$FAULT_DIR/ctest-$1.log" 2>&1 || true
    local names
    names=$(sed 's/^[0-9]*://' "$BUILD/Testing/Temporary/LastTestsFailed.log" 2>/dev/null |
        sort | paste -sd ' ')
    echo "${names:--}"
}

build() { cmake --build "$BUILD" -j2 >"$FAULT_DIR/build.log" 2>&1; }
build || { echo "the copy does not build without faults: $FAULT_DIR/build.log" >&2 && exit 1; }
[ "$(failing unit "" 2)" = - ] || { echo "unit tests fail without faults" >&2 && exit 1; }

for id in "${wanted[@]}"; do
    mapfile -t changed < <(apply_fault "$COPY" "$id")
    if ! build; then
        line="$id	does not build	-"
    else
        unit=$(failing unit "" 2)
        e2e_tests=-
        ((e2e)) && e2e_tests=$(failing e2e "$E2E_SKIP" 1)
        line="$id	$unit	$e2e_tests"
        [ "$unit" = - ] && [ "$e2e_tests" = - ] && line="$line	MISSED"
    fi
    restore
    echo "$line" | tee -a "$FAULT_DIR/results.tsv"
done
build
