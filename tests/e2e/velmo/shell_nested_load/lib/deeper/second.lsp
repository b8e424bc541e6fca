(echo in second)
