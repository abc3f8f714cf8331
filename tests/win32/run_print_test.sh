#!/bin/bash
# Prints for real:  run_print_test.sh output_print_tests.exe <out-dir>
# Starts CUPS with a PDF printer as the default (cups_pdf_printer.sh), has the
# test program print through the real print dialog, waits for the PDF that
# cups-pdf writes (its name carries the job's name), rasterises it with pdftoppm
# and checks the page with check_printed_page.py. Exit 77 (skipped) without CUPS.
set -uo pipefail
exe="$1"
out="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

"$here/cups_pdf_printer.sh" start || exit 77
command -v pdftoppm >/dev/null || { echo "run_print_test: pdftoppm missing (poppler-utils)" >&2; exit 77; }
rm -rf "$out"
mkdir -p "$out"
touch "$out/started"

"$here/../wine/run-in-wine.sh" "$exe" --gtest_color=no || exit 1

pdf=""
for _ in $(seq 600); do
  while read -r dir; do
    [[ -d "$dir" ]] || continue
    candidate="$(find "$dir" -maxdepth 1 -name '*Vexal-Interface*Druck*.pdf' -newer "$out/started" \
      2>/dev/null | head -1)"
    if [[ -n "$candidate" ]]; then pdf="$candidate"; break; fi
  done < <("$here/cups_pdf_printer.sh" dirs)
  [[ -n "$pdf" ]] && break
  sleep 0.1
done
if [[ -z "$pdf" ]]; then
  echo "run_print_test: no PDF named after the job \"Vexal-Interface: Druck\" arrived" >&2
  lpstat -W all -o >&2 || true
  exit 1
fi
sleep 0.5  # cups-pdf may still be closing the file
echo "run_print_test: the printer wrote $pdf"
cp "$pdf" "$out/page.pdf"
pdftoppm -r 50 -f 1 -l 1 "$out/page.pdf" "$out/page" || exit 1
/usr/bin/python3 "$here/check_printed_page.py" "$out"/page*.ppm
