#!/bin/sh
# The command reference as HTML pages, for the package: docs/commands.md split
# into a contents page (index.html: every command on one sheet, grouped by
# family, with a filter box) and one page per command family, each converted
# by pandoc, with the links between entries pointing at the pages that hold
# them; docs/runner.md as runner.html; the pictures and animations in
# images/, each command's example script in examples/commands/.  The "Try it"
# links open the playground beside the reference (../playground/), read from
# the file system or served.  Every link of every page is checked at the end.
#
#   sh scripts/reference_html.sh DOCS_DIR OUT_DIR VERSION
set -e
docs=$1 out=$2 version=$3
[ -f "$docs/commands.md" ] && [ -n "$out" ] && [ -n "$version" ] || {
  echo "usage: reference_html.sh DOCS_DIR OUT_DIR VERSION" >&2; exit 2; }

rm -rf "$out" && mkdir -p "$out/md" "$out/examples"
cp -r "$docs/images" "$out/images"
cp -r "$docs/../examples/commands" "$out/examples/commands"

# Splits commands.md at its family headings (## outside code blocks, other
# than the contents) and writes the pages as Markdown, with:
#   pages.txt    page file name and title, in order
#   anchors.txt  anchor and the page that holds it (GitHub's heading ids:
#                lower case, punctuation dropped, blanks as hyphens)
slug='
  function slug(text) {
    text = tolower(text); gsub(/[^a-z0-9 _-]/, "", text); gsub(/ /, "-", text); return text
  }'
awk -v dir="$out/md" "$slug"'
  BEGIN { page = "index"; title = "Contents"; print page, title > (dir "/pages.txt") }
  /^```/ { fenced = !fenced }
  !fenced && /^## / && $0 != "## Contents" {
    title = substr($0, 4); page = slug(title)
    print page, title > (dir "/pages.txt")
  }
  !fenced && /^##+ / { print slug(substr($0, index($0, " ") + 1)), page > (dir "/anchors.txt") }
  { print > (dir "/" page ".md") }
' "$docs/commands.md"

# The sheet of every command: a table per family, each row the command (a
# link to its entry), its parameters with their types and its result type,
# read from the entries' syntax, parameter tables and result lines.
cheat_sheet() {
  awk "$slug"'
    function html(text) { gsub(/&/, "\\&amp;", text); gsub(/</, "\\&lt;", text); return text }
    function row() {
      if (name == "") return
      printf "<tr><td><a href=\"%s.html#%s\">%s</a></td><td>%s</td><td>%s</td></tr>\n",
        page, slug(name), html(name), html(parameters), result
      name = ""
    }
    function end_family() { row(); if (page != "") print "</tbody></table></section>" }
    /^```/ { fenced = !fenced; next }
    fenced { next }
    /^## / && $0 != "## Contents" {
      end_family(); title = substr($0, 4); page = slug(title)
      printf "<section class=\"family\"><h3><a href=\"%s.html\">%s</a></h3>\n", page, html(title)
      print "<table><thead><tr><th>command</th><th>parameters</th><th>result</th></tr></thead><tbody>"
    }
    /^### / { row(); name = substr($0, 5); parameters = ""; result = "" }
    # | name | integer (L) | meaning |
    name != "" && /^\| [^|]+ \| [a-z]+ \([A-Z]\) \|/ {
      split($0, cell, " \\| "); sub(/^\| /, "", cell[1]); sub(/ \(.*/, "", cell[2])
      parameters = parameters (parameters == "" ? "" : ", ") cell[1] ": " cell[2]
    }
    /^\*\*Result\*\* \(/ { result = $2; gsub(/[()]/, "", result) }
    END { end_family() }
  ' "$docs/commands.md"
}

# Links to an anchor on another page name that page; runner.md is runner.html;
# the served playground's address (scripts/playground.sh) is the one beside.
# A family page opens with a line of links: contents, previous, next family.
links() {
  awk -v page="$1" -v dir="$out/md" '
    BEGIN {
      while ((getline line < (dir "/anchors.txt")) > 0) { split(line, f, " "); holder[f[1]] = f[2] }
    }
    {
      rest = $0; done = ""
      while (match(rest, /\]\(#[^)]*\)/)) {
        anchor = substr(rest, RSTART + 3, RLENGTH - 4)
        target = (anchor in holder && holder[anchor] != page) ? holder[anchor] ".html" : ""
        done = done substr(rest, 1, RSTART - 1) "](" target "#" anchor ")"
        rest = substr(rest, RSTART + RLENGTH)
      }
      line = done rest
      gsub(/\[runner\.md\]/, "[runner.html]", line)
      gsub(/\]\(runner\.md\)/, "](runner.html)", line)
      gsub(/\]\(\.\.\/examples\//, "](examples/", line)
      gsub(/\]\(http:\/\/127\.0\.0\.1:8000\/\?/, "](../playground/index.html?", line)
      print line
    }'
}
navigation() {
  awk -v page="$1" '
    { name[NR] = $1; title[NR] = substr($0, length($1) + 2); if ($1 == page) at = NR }
    END {
      line = "[Contents](index.html)"
      if (at > 2) line = line " · previous: [" title[at - 1] "](" name[at - 1] ".html)"
      if (at < NR) line = line " · next: [" title[at + 1] "](" name[at + 1] ".html)"
      print line "\n"
    }' "$out/md/pages.txt"
}

# pandoc's own page style, with code blocks set off from the text.
cat > "$out/md/style.html" <<'STYLE'
<style>
pre { background: #f3f3f3; padding: 0.5em 0.75em; }
.family table { width: 100%; }
.family td:first-child { white-space: nowrap; }
</style>
STYLE
convert() {  # markdown file, html file, page title, extra pandoc options
  pandoc --from gfm --to html5 --standalone --metadata pagetitle="$3" \
    --include-in-header="$out/md/style.html" $4 -o "$2" "$1"
}

while read -r page title; do
  if [ "$page" = index ]; then
    # The sheet takes the place of the contents list.
    grep -v -e '^## Contents$' -e '^- \*\*' "$out/md/index.md" | links index > "$out/md/index.page.md"
    { cat <<'FILTER'
<h2 id="contents">All commands</h2>
<p><input id="filter" type="search" size="40" placeholder="Filter: part of a name, a parameter or a family"
  aria-label="Filter the commands"> <span id="shown"></span></p>
FILTER
      cheat_sheet
      cat <<'FILTER'
<script>
// Each letter typed narrows the sheet to the rows that contain the text,
// with their family's title.
var filter = document.getElementById('filter');
filter.addEventListener('input', function () {
  var wanted = filter.value.trim().toLowerCase(), shown = 0;
  document.querySelectorAll('.family').forEach(function (family) {
    var title = family.querySelector('h3').textContent, rows = 0;
    family.querySelectorAll('tbody tr').forEach(function (row) {
      var match = (title + ' ' + row.textContent).toLowerCase().indexOf(wanted) >= 0;
      row.hidden = !match;
      if (match) rows++;
    });
    family.hidden = rows === 0;
    shown += rows;
  });
  document.getElementById('shown').textContent = wanted ? shown + ' shown' : '';
});
</script>
FILTER
    } > "$out/md/sheet.html"
    convert "$out/md/index.page.md" "$out/index.html" "ExtraCommands $version command reference" \
      --include-after-body="$out/md/sheet.html"
  else
    { navigation "$page"; links "$page" < "$out/md/$page.md"; echo; navigation "$page"; } \
      > "$out/md/$page.page.md"
    # The family heading becomes the page's top heading.
    convert "$out/md/$page.page.md" "$out/$page.html" "$title · ExtraCommands $version" \
      --shift-heading-level-by=-1
  fi
done < "$out/md/pages.txt"
{ echo "[Contents](index.html)"; echo; cat "$docs/runner.md"; } > "$out/md/runner.page.md"
convert "$out/md/runner.page.md" "$out/runner.html" "The runner · ExtraCommands $version"
rm -r "$out/md"

# Every link names a page that exists and, after a #, an id on that page;
# every picture exists.
broken=0
for html in "$out"/*.html; do
  for ref in $(grep -o -E '(href|src)="[^"]*"' "$html" | sed -E 's/^[a-z]+="(.*)"$/\1/'); do
    case $ref in *://*) continue ;; esac
    file=${ref%%#*} id=
    file=${file%%\?*}
    case $ref in *"#"*) id=${ref#*#} ;; esac
    [ -n "$file" ] || file=$(basename "$html")
    if [ ! -f "$out/$file" ] || { [ -n "$id" ] && ! grep -q "id=\"$id\"" "$out/$file"; }; then
      echo "broken link in $(basename "$html"): $ref" >&2
      broken=1
    fi
  done
done
[ "$broken" -eq 0 ]
echo "reference: $(ls "$out"/*.html | wc -l) pages in $out"
