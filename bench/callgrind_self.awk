# Sums the self cost (instructions) of every function in a callgrind output file.
# Prints "<object>\t<function>\t<instructions>" lines, one per function.
#
# Callgrind's format: "ob=", "fn=" name the current object and function (a "(id) name" defines a
# compressed name, a later "(id)" refers to it); a numeric line is "<position> <cost>" of the
# current function, except the one right after a "calls=" line, which is the inclusive cost of
# that call and belongs to the callee.
function name_of(kind, symbol,    id, rest) {
  if (match(symbol, /^\([0-9]+\)/)) {
    id = substr(symbol, 2, RLENGTH - 2)
    rest = substr(symbol, RLENGTH + 1)
    sub(/^ /, "", rest)
    if (rest != "") names[kind, id] = rest
    return names[kind, id]
  }
  return symbol
}
BEGIN { call_cost = 0; ob = "?"; fn = "?" }
/^ob=/ { ob = name_of("ob", substr($0, 4)); next }
/^fn=/ { fn = name_of("fn", substr($0, 4)); key = ob "\t" fn; next }
/^cob=/ { name_of("ob", substr($0, 5)); next }
/^cfn=/ { name_of("fn", substr($0, 5)); next }
/^calls=/ { call_cost = 1; next }
/^[0-9+*-]/ {
  if (call_cost) { call_cost = 0; next }
  if (NF >= 2) self[key] += $2
  next
}
END { for (k in self) printf "%s\t%.0f\n", k, self[k] }
