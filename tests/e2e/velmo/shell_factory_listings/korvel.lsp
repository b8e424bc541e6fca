(classes "L")
(objects "prog" "LEx")
(objects "i[fn]$" "LExp")
(classes "(")
