#!/bin/sh
# Trains every model of server/checker/data that a trainer writes into OUT, with the
# commands of the README, and says which come out unlike the shipped files.
#   scripts/train-models.sh OUT [BUILD]      (BUILD: the build folder, default build)
# The trainers read the tagger from a data folder: OUT/data gets the shipped tagger (UD
# treebanks and Brown) and the models, OUT/treebank the treebank-only tagger, for the
# article, noun-number and generic-noun models, counted from text it tagged. Slow (about
# ten minutes, most of it the shipped tagger); the trainers' output goes to OUT/logs.
# Exit status 1 when a file differs.
set -e
[ $# -ge 1 ] || { echo "usage: $0 OUT [BUILD]" >&2; exit 2; }
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SHIPPED=$ROOT/server/checker/data
OUT=$1
BIN=${2:-$ROOT/build}/bin
B=${PENNOVA_BENCH_DATA:-$ROOT/../shared/bench-data}/pos
[ -d "$B/brown" ] || { echo "no Brown corpus under $B (set PENNOVA_BENCH_DATA)" >&2; exit 2; }
mkdir -p "$OUT/data" "$OUT/treebank" "$OUT/logs"
cp -R "$SHIPPED/." "$OUT/data/"
cp -R "$SHIPPED/." "$OUT/treebank/"

TREEBANKS="--train $B/en_ewt-ud-dev.conllu --train $B/en_pud-ud-test.conllu --heldout $B/en_ewt-ud-test.conllu --hold-out 10"
CORPUS="--brown $B/brown --conllu $B/en_ewt-ud-dev.conllu --conllu $B/en_ewt-ud-test.conllu --conllu $B/en_pud-ud-test.conllu"

# run LOG PROGRAM ARGS...: one trainer, its output to OUT/logs/LOG
run() {
    log=$1; shift
    echo "$log: $*" | sed "s|$B|\$B|g; s|$OUT|OUT|g"
    "$@" >"$OUT/logs/$log.log" 2>&1 || { echo "$log: failed, see $OUT/logs/$log.log" >&2; exit 1; }
}

run pos-model "$BIN/pennova-postrain" $TREEBANKS --brown "$B/brown" --treebank-weight 2 --min-weight 1.5 \
    --brown-copies 1 --out "$OUT/data/pos-model.txt"
run pos-model-treebank "$BIN/pennova-postrain" $TREEBANKS --out "$OUT/treebank/pos-model.txt"

D=$OUT/data
T=$OUT/treebank
run article-model "$BIN/pennova-articletrain" $CORPUS --data "$T" --out "$D/article-model.txt"
run number-model "$BIN/pennova-numbertrain" $CORPUS --data "$T" --out "$D/number-model.txt"
run verbform-model "$BIN/pennova-verbformtrain" $CORPUS --data "$D" --out "$D/verbform-model.txt"
run generic-nouns "$BIN/pennova-generictrain" $CORPUS --data "$T" --hold-out 0 --out "$D/generic-nouns.txt"
run noun-determiners "$BIN/pennova-determinertrain" $CORPUS --data "$D" --out "$D/noun-determiners.txt"
run confusion-model "$BIN/pennova-confusiontrain" $CORPUS --data "$D" --out "$D/confusion-model.txt"
run native-pairs "$BIN/pennova-pairtrain" $CORPUS --data "$D" --out "$D/native-pairs.txt"
run preposition-model "$BIN/pennova-prepositiontrain" $CORPUS --data "$D" --min-row 10 \
    --out "$D/preposition-model.txt"
run time-prepositions "$BIN/pennova-prepositiontrain" $CORPUS --data "$D" --wordnet /usr/share/wordnet \
    --times "$D/time-prepositions.txt"
run preposition-classifier "$BIN/pennova-preptrain" $CORPUS --data "$D" --min-count 3 \
    --out "$D/preposition-classifier.txt"
run verb-complements "$BIN/pennova-complementtrain" $CORPUS --data "$D" --hold-out 0 \
    --out "$D/verb-complements.txt"
run verb-objects "$BIN/pennova-objecttrain" $CORPUS --data "$D" --hold-out 0 --out "$D/verb-objects.txt"
run collocation-model "$BIN/pennova-collocationtrain" $CORPUS --data "$D" --wordnet /usr/share/wordnet \
    --hold-out 0 --out "$D/collocation-model.txt"
echo "closed-names: python3 tools/closednames/closednames.py"
python3 "$ROOT/tools/closednames/closednames.py" >"$D/closed-names.txt" 2>"$OUT/logs/closed-names.log" ||
    { echo "closed-names: failed, see $OUT/logs/closed-names.log" >&2; exit 1; }

status=0
for f in pos-model article-model number-model verbform-model generic-nouns noun-determiners \
    confusion-model native-pairs preposition-model time-prepositions preposition-classifier \
    verb-complements verb-objects collocation-model closed-names; do
    if cmp -s "$D/$f.txt" "$SHIPPED/$f.txt"; then
        echo "same     $f.txt"
    else
        echo "differs  $f.txt"
        status=1
    fi
done
exit $status
