(dog
 (n)
 (v)
 (adj)
 )
