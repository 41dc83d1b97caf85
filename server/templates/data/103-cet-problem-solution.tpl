# Pennova writing template (our own text)
id: 103
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 四六级议论文：问题与对策|CET-4/6 essay, problem and solution
description: 适用于“指出某个社会或校园问题并提出解决办法”的作文题。首段点出问题，第二段分析危害，第三段提出对策，末段总结呼吁。
title: How to Deal with [标题中的问题，如 Food Waste on Campus] || 如何应对[标题中的问题，如 Food Waste on Campus]

[block]
At present, [问题，如 food waste on campus] has become a serious problem. || 目前，[问题，如 food waste on campus]已经成为一个严重的问题。
We can often see that [场景，如 students throw away half of their meals in the dining hall]. || 我们经常看到[场景，如 students throw away half of their meals in the dining hall]。
[alternative]
It is a pity that [问题，如 food waste on campus] still happens every day. || 令人遗憾的是，[问题，如 food waste on campus]每天仍在发生。
Many of us have noticed it, but few of us take action. || 我们很多人都注意到了这一点，但很少有人采取行动。

[block]
This problem does harm in many ways. || 这个问题在很多方面都有害处。
To begin with, [危害一，如 it wastes food that farmers work hard to produce]. || 首先，[危害一，如 it wastes food that farmers work hard to produce]。
Moreover, [危害二，如 it sets a bad example for younger students]. || 而且，[危害二，如 it sets a bad example for younger students]。

[block]
Fortunately, there are several ways to solve this problem. || 幸运的是，有几种办法可以解决这个问题。
First of all, [对策，如 the school should offer smaller portions at a lower price]. || 首先，[对策，如 the school should offer smaller portions at a lower price]。
Second, [对策，如 student clubs can hold activities to spread the idea of saving food]. || 其次，[对策，如 student clubs can hold activities to spread the idea of saving food]。
Last but not least, each of us should start with ourselves. || 最后同样重要的是，我们每个人都应该从自身做起。
[alternative]
To solve this problem, both the school and the students should do their part. || 要解决这个问题，学校和学生都应尽自己的一份力。
The school can [学校的做法，如 offer smaller portions at a lower price]. || 学校可以[学校的做法，如 offer smaller portions at a lower price]。
Students, for their part, should [学生的做法，如 take only what they can eat]. || 至于学生，应该[学生的做法，如 take only what they can eat]。

[block]
In short, this problem can be solved if we all work together. || 简而言之，只要大家共同努力，这个问题是可以解决的。
Let us take action now and make our campus a better place. || 让我们现在就行动起来，让校园变得更美好。
[alternative]
Only when everyone makes an effort can this problem be solved. || 只有每个人都努力，这个问题才能得到解决。
A small change in our habits can make a big difference. || 我们习惯上的一个小改变就能带来大不同。

[common]
Something must be done to stop this. || 必须采取措施制止这种情况。
We should take effective measures at once. || 我们应该立即采取有效措施。
The government should play a leading role. || 政府应该起带头作用。
Schools can also do a lot to help. || 学校也可以做很多事情来帮忙。
It is everyone's duty to help solve this problem. || 解决这个问题是每个人的责任。
Only in this way can we solve the problem completely. || 只有这样，我们才能彻底解决这个问题。
Actions speak louder than words. || 行动胜于言辞。
If we work together, the future will be bright. || 如果我们齐心协力，未来将是光明的。
