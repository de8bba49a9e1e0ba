# Writes a driver script of random figures for every screen, from the driver's
# `dump` lines of the screens (FORM.CONTROL=TEXT): in each round, every text
# field of a screen gets a figure (prices with cents, percentages, share
# counts, step counts, large sums up to 10^15, small fractions), every button
# and option button is pressed in a random order, then the screen is dumped
# and its tables' rows listed. The same script through two builds of the
# driver must print the same bytes.
# Usage: awk -v rounds=N [-v seed=S] -f random_figures.awk DUMP-LINES
function figure(k) {
  k = rand()
  if (k < 0.30) return sprintf("%.2f", 1 + rand() * 99)
  if (k < 0.50) return int(1 + rand() * 30)
  if (k < 0.62) return sprintf("%.1f", 0.1 + rand() * 19.9)
  if (k < 0.74) return int(100 + rand() * 99900)
  if (k < 0.86) return sprintf("%.2f", 1e6 + rand() * 1e15)
  if (k < 0.94) return sprintf("%.4f", rand() * 2)
  return sprintf("%.3f", 0.001 + rand() * 10)
}
{
  split($0, parts, "=")
  split(parts[1], name, ".")
  form = name[1]
  control = name[2]
  if (!(form in seen)) {
    seen[form] = 1
    forms[++formCount] = form
  }
  if (control ~ /^Text/) texts[form] = texts[form] " " control
  if (control ~ /^(Command|Option)/) buttons[form] = buttons[form] " " control
  if (control ~ /^Table/) tables[form] = tables[form] " " control
}
END {
  srand(seed == "" ? 1 : seed)
  for (r = 1; r <= rounds; ++r) {
    for (f = 1; f <= formCount; ++f) {
      form = forms[f]
      n = split(texts[form], list, " ")
      for (i = 1; i <= n; ++i) {
        if (rand() < 0.9) print "set " form " " list[i] " " figure()
      }
      n = split(buttons[form], list, " ")
      for (i = n; i > 1; --i) {  # shuffled
        j = 1 + int(rand() * i)
        t = list[i]; list[i] = list[j]; list[j] = t
      }
      for (i = 1; i <= n; ++i) print "click " form " " list[i]
      print "dump " form
      n = split(tables[form], list, " ")
      for (i = 1; i <= n; ++i) print "rows " form " " list[i]
    }
  }
}
